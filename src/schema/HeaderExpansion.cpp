#include "schema/HeaderExpansion.h"

#include <algorithm>
#include <optional>

#include "platform/Clock.h"
#include "schema/Placeholder.h"
#include "schema/SchemaPlaceholders.h"

namespace qw {

namespace {

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

// The clock's date and time for one line, each read once if at all: every
// placeholder of the line gets the same reading.
class LineClock {
public:
    explicit LineClock(Clock* clock) : clock_(clock) {}
    const std::string& date() {
        if (!date_)
            date_ = clock_ ? withoutLineBreaks(clock_->shortDate()) : std::string();
        return *date_;
    }
    const std::string& time() {
        if (!time_)
            time_ = clock_ ? withoutLineBreaks(clock_->longTime()) : std::string();
        return *time_;
    }

private:
    Clock* clock_;
    std::optional<std::string> date_;
    std::optional<std::string> time_;
};

// What each placeholder stands for in one line.
class LineValues {
public:
    LineValues(const HeadingValues& values, LineClock& now) : values_(values), now_(now) {}
    std::string_view operator[](PlaceholderName name) {
        switch (name) {
        case PlaceholderName::FuncName:
            return values_.routineName;
        case PlaceholderName::Date:
            return now_.date();
        case PlaceholderName::Time:
            return now_.time();
        case PlaceholderName::Coder:
            return values_.coderName;
        case PlaceholderName::Result:
            return values_.resultType;
        case PlaceholderName::Parameters:
            return values_.paramText;
        case PlaceholderName::Update:
            break;
        }
        return {}; // %Update stands for the empty text
    }

private:
    const HeadingValues& values_;
    LineClock& now_;
};

std::size_t paddedSize(const SchemaPlaceholders::Token& token, std::string_view value) {
    return qw::paddedSize(token.width, static_cast<int>(value.size()), value.size());
}

// Whether a value put in could bring in a placeholder that the one-by-one
// replacement would then replace too: a percent sign in it (the parameters
// go in last, theirs cannot), or a beginning that completes a name begun in
// front of its placeholder.
bool valuesBringInNames(const SchemaPlaceholders::Line& read, LineValues& value) {
    for (const auto& token : read.tokens)
        if (token.name != PlaceholderName::Parameters &&
            value[token.name].find('%') != std::string_view::npos)
            return true;
    for (const auto& open : read.openNames) {
        const auto& token = read.tokens[open.token];
        const std::string_view v = value[token.name];
        if (paddedSize(token, v) == 0)
            return true; // the text behind the placeholder would follow the name begun
        const char first = v.empty() ? ' ' : v.front();
        if (open.completing.find(first) != std::string::npos)
            return true;
    }
    return false;
}

// The schema line with its values put in, padded to their widths, in one pass.
// The parameters stay in place: they are laid out last, as a block when they
// have several lines.
struct PutIn {
    std::string text;
    bool parameterLine = false; // it held %Parameters when their turn came
    bool update = false;        // a %Update was put in (parameter lines never say so)
};

std::optional<PutIn> putInSideBySide(std::string_view line, const SchemaPlaceholders::Line& read,
                                     LineValues& value, LineClock& now) {
    if (!read.sideBySide)
        return std::nullopt;
    // The clock first, date before time, as the one-by-one replacement reads
    // it, which takes over these readings when a value brings in a name.
    if (read.holds(PlaceholderName::Date))
        now.date();
    if (read.holds(PlaceholderName::Time))
        now.time();
    if (valuesBringInNames(read, value))
        return std::nullopt;
    PutIn out;
    out.parameterLine = read.holds(PlaceholderName::Parameters);
    out.text.reserve(line.size() + 64);
    std::size_t at = 0;
    for (const auto& token : read.tokens) {
        out.text.append(line.substr(at, token.start - at));
        at = token.start + token.length;
        if (token.name == PlaceholderName::Parameters) {
            out.text.append(line.substr(token.start, token.length));
            continue;
        }
        const std::string_view v = value[token.name];
        out.text.append(v);
        out.text.append(paddedSize(token, v) - v.size(), ' ');
        out.update = out.update || token.name == PlaceholderName::Update;
    }
    out.update = out.update && !out.parameterLine;
    out.text.append(line.substr(at));
    return out;
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

// The line with everything but the parameters replaced one placeholder after
// the other, each everywhere in the line before the next.
PutIn putInOneByOne(const std::string& schemaLine, const SchemaPlaceholders::Line& read,
                    LineValues& value) {
    LineExpansion line(schemaLine, read);
    line.replace(PlaceholderName::FuncName, value[PlaceholderName::FuncName]);
    if (line.holds(PlaceholderName::Date))
        line.replace(PlaceholderName::Date, value[PlaceholderName::Date]);
    if (line.holds(PlaceholderName::Time))
        line.replace(PlaceholderName::Time, value[PlaceholderName::Time]);
    line.replace(PlaceholderName::Coder, value[PlaceholderName::Coder]);
    line.replace(PlaceholderName::Result, value[PlaceholderName::Result]);
    if (line.holds(PlaceholderName::Parameters)) {
        line.replace(PlaceholderName::Update, "");
        return {std::move(line.text()), true, false};
    }
    const bool update = line.replace(PlaceholderName::Update, "");
    return {std::move(line.text()), false, update};
}

// A parameter line: one line, or a block when the value has several lines.
void addParameterLine(std::string line, const std::string& paramText,
                      std::vector<std::string>& lines) {
    const std::string_view name = textOf(PlaceholderName::Parameters);
    if (paramText.find('\r') == std::string::npos) {
        replacePlaceholder(line, name, paramText);
        lines.push_back(std::move(line));
        return;
    }
    if (auto block = layOutMultiLineValue(std::move(line), name, paramText))
        for (std::string& l : *block)
            lines.push_back(std::move(l));
}

ExpandedHeader expandHeader(const Schema& schema, const SchemaPlaceholders& placeholders,
                            const HeadingValues& heading, Clock* clock) {
    const HeadingValues values{
        withoutLineBreaks(heading.routineName), withoutLineBreaks(heading.resultType),
        withoutLineBreaks(heading.paramText, true), withoutLineBreaks(heading.coderName)};
    ExpandedHeader out;
    out.lines.reserve(schema.lines.size());
    out.schemaLineStart.reserve(schema.lines.size());
    for (std::size_t i = 0; i < schema.lines.size(); ++i) {
        out.schemaLineStart.push_back(static_cast<int>(out.lines.size()));
        const SchemaPlaceholders::Line& read = placeholders.line(i);
        LineClock now(clock);
        LineValues value(values, now);
        std::optional<PutIn> line = putInSideBySide(schema.lines[i], read, value, now);
        if (!line)
            line = putInOneByOne(schema.lines[i], read, value);
        if (line->parameterLine) {
            addParameterLine(std::move(line->text), values.paramText, out.lines);
            continue;
        }
        if (line->update) {
            out.updateSchemaIndex = static_cast<int>(i);
            out.updateHeaderIndex = static_cast<int>(out.lines.size());
        }
        out.lines.push_back(std::move(line->text));
    }
    return out;
}

} // namespace qw
