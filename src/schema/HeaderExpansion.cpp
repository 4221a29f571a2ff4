#include "schema/HeaderExpansion.h"

#include "platform/Clock.h"
#include "schema/Placeholder.h"
#include "schema/SchemaPlaceholders.h"

namespace qw {

namespace {

struct ClockReading {
    Clock* clock;
    std::string date() const;
    std::string time() const;
};

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

// One schema line on its way to a header line. A placeholder that the schema
// line did not hold is not searched for while the line is unchanged, nor while
// no value put in could have brought one in (see SchemaPlaceholders).
class LineExpansion {
public:
    LineExpansion(std::string text, const SchemaPlaceholders::Line& read)
        : text_(std::move(text)), read_(read) {}

    bool holds(PlaceholderName name) const {
        return mayHold(name) && text_.find(textOf(name)) != std::string::npos;
    }
    // Returns whether anything was replaced.
    bool replace(PlaceholderName name, std::string_view value) {
        if (!mayHold(name) || !replacePlaceholder(text_, textOf(name), value))
            return false;
        changed_ = true;
        valuesWithoutPercent_ = valuesWithoutPercent_ && value.find('%') == std::string_view::npos;
        return true;
    }
    std::string& text() { return text_; }

private:
    bool mayHold(PlaceholderName name) const {
        return read_.holds(name) ||
               (changed_ && !(valuesWithoutPercent_ && read_.noNameToComplete));
    }

    std::string text_;
    const SchemaPlaceholders::Line& read_;
    bool changed_ = false;
    bool valuesWithoutPercent_ = true;
};

} // namespace

int ExpandedHeader::continuationLines(std::size_t schemaIndex) const {
    if (schemaIndex >= schemaLineStart.size())
        return 0;
    const int next = schemaIndex + 1 < schemaLineStart.size() ? schemaLineStart[schemaIndex + 1]
                                                              : static_cast<int>(lines.size());
    return next - schemaLineStart[schemaIndex] - 1;
}

ExpandedHeader expandHeader(const Schema& schema, const HeadingValues& heading, Clock* clock) {
    return expandHeader(schema, SchemaPlaceholders(schema), heading, clock);
}

ExpandedHeader expandHeader(const Schema& schema, const SchemaPlaceholders& placeholders,
                            const HeadingValues& heading, Clock* clock) {
    const ClockReading now{clock};
    const HeadingValues values{
        withoutLineBreaks(heading.routineName), withoutLineBreaks(heading.resultType),
        withoutLineBreaks(heading.paramText, true), withoutLineBreaks(heading.coderName)};
    const bool multiLineParams = values.paramText.find('\r') != std::string::npos;
    ExpandedHeader out;
    out.lines.reserve(schema.lines.size());
    out.schemaLineStart.reserve(schema.lines.size());
    for (std::size_t i = 0; i < schema.lines.size(); ++i) {
        out.schemaLineStart.push_back(static_cast<int>(out.lines.size()));
        LineExpansion line(schema.lines[i], placeholders.line(i));
        line.replace(PlaceholderName::FuncName, values.routineName);
        if (line.holds(PlaceholderName::Date))
            line.replace(PlaceholderName::Date, now.date());
        if (line.holds(PlaceholderName::Time))
            line.replace(PlaceholderName::Time, now.time());
        line.replace(PlaceholderName::Coder, values.coderName);
        line.replace(PlaceholderName::Result, values.resultType);
        if (line.holds(PlaceholderName::Parameters)) {
            line.replace(PlaceholderName::Update, "");
            if (multiLineParams) {
                if (auto block =
                        layOutMultiLineValue(std::move(line.text()),
                                             textOf(PlaceholderName::Parameters), values.paramText))
                    for (std::string& l : *block)
                        out.lines.push_back(std::move(l));
            } else {
                line.replace(PlaceholderName::Parameters, values.paramText);
                out.lines.push_back(std::move(line.text()));
            }
            continue;
        }
        if (line.replace(PlaceholderName::Update, "")) {
            out.updateSchemaIndex = static_cast<int>(i);
            out.updateHeaderIndex = static_cast<int>(out.lines.size());
        }
        out.lines.push_back(std::move(line.text()));
    }
    return out;
}

} // namespace qw
