#include "schema/HeaderExpansion.h"

#include "schema/Clock.h"
#include "schema/Placeholder.h"

namespace qw {

namespace {

struct ClockReading {
    Clock* clock;
    std::string date() const { return clock ? clock->shortDate() : std::string(); }
    std::string time() const { return clock ? clock->longTime() : std::string(); }
};

bool holds(const std::string& line, std::string_view name) {
    return line.find(name) != std::string::npos;
}

} // namespace

int ExpandedHeader::continuationLines(std::size_t schemaIndex) const {
    if (schemaIndex >= schemaLineStart.size())
        return 0;
    const int next = schemaIndex + 1 < schemaLineStart.size() ? schemaLineStart[schemaIndex + 1]
                                                              : static_cast<int>(lines.size());
    return next - schemaLineStart[schemaIndex] - 1;
}

ExpandedHeader expandHeader(const Schema& schema, const HeadingValues& values, Clock* clock) {
    const ClockReading now{clock};
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
