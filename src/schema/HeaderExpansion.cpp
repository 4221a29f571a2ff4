#include "schema/HeaderExpansion.h"

#include "platform/Clock.h"
#include "schema/Placeholder.h"

namespace qw {

namespace {

struct ClockReading {
    Clock* clock;
    std::string date() const;
    std::string time() const;
};

bool holds(const std::string& line, std::string_view name) {
    return line.find(name) != std::string::npos;
}

// A line break inside a value (a coder name or a date format could hold one)
// would split a header line in two in the output and put every line index of
// the header out of step; it becomes a blank. `keepCr` keeps the CR that
// separates parameter groups.
std::string withoutLineBreaks(std::string value, bool keepCr = false) {
    for (char& c : value)
        if (c == '\n' || (c == '\r' && !keepCr))
            c = ' ';
    return value;
}

std::string ClockReading::date() const {
    return clock ? withoutLineBreaks(clock->shortDate()) : std::string();
}
std::string ClockReading::time() const {
    return clock ? withoutLineBreaks(clock->longTime()) : std::string();
}

} // namespace

int ExpandedHeader::continuationLines(std::size_t schemaIndex) const {
    if (schemaIndex >= schemaLineStart.size())
        return 0;
    const int next = schemaIndex + 1 < schemaLineStart.size() ? schemaLineStart[schemaIndex + 1]
                                                              : static_cast<int>(lines.size());
    return next - schemaLineStart[schemaIndex] - 1;
}

ExpandedHeader expandHeader(const Schema& schema, const HeadingValues& heading, Clock* clock) {
    const ClockReading now{clock};
    const HeadingValues values{
        withoutLineBreaks(heading.routineName), withoutLineBreaks(heading.resultType),
        withoutLineBreaks(heading.paramText, true), withoutLineBreaks(heading.coderName)};
    const bool multiLineParams = values.paramText.find('\r') != std::string::npos;
    ExpandedHeader out;
    for (std::size_t i = 0; i < schema.lines.size(); ++i) {
        out.schemaLineStart.push_back(static_cast<int>(out.lines.size()));
        std::string line = schema.lines[i];
        replacePlaceholder(line, "%FuncName", values.routineName);
        if (holds(line, "%Date"))
            replacePlaceholder(line, "%Date", now.date());
        if (holds(line, "%Time"))
            replacePlaceholder(line, "%Time", now.time());
        replacePlaceholder(line, "%Coder", values.coderName);
        replacePlaceholder(line, "%Result", values.resultType);
        if (holds(line, "%Parameters")) {
            replacePlaceholder(line, "%Update", "");
            if (multiLineParams) {
                if (auto block = layOutMultiLineValue(line, "%Parameters", values.paramText))
                    for (std::string& l : *block)
                        out.lines.push_back(std::move(l));
            } else {
                replacePlaceholder(line, "%Parameters", values.paramText);
                out.lines.push_back(std::move(line));
            }
            continue;
        }
        if (replacePlaceholder(line, "%Update", "")) {
            out.updateSchemaIndex = static_cast<int>(i);
            out.updateHeaderIndex = static_cast<int>(out.lines.size());
        }
        out.lines.push_back(std::move(line));
    }
    return out;
}

} // namespace qw
