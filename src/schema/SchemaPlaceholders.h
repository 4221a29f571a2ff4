#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "schema/Schema.h"

namespace qw {

// The placeholders that a header's expansion replaces, in the order it
// replaces them.
enum class PlaceholderName : std::uint8_t {
    FuncName,
    Date,
    Time,
    Coder,
    Result,
    Parameters,
    Update
};

// "%FuncName", "%Date" and so on.
std::string_view textOf(PlaceholderName name);

// Which placeholders each schema line holds and where, read once when the
// header step takes the schema on, so that the expansion for every routine
// need not search for them.
//
// The expansion replaces one placeholder after the other, and a value put in
// can bring in a placeholder that the schema line did not hold: a value with
// a percent sign, or one that completes a name begun in the line
// ("%Upd%FuncName%" for a routine named "ate"). A placeholder can also end at
// the percent sign that opens the next one, which then is replaced with it.
// Only where neither can happen are the values put in side by side.
class SchemaPlaceholders {
public:
    // One placeholder of the line: from its percent sign through the closing
    // one (or to the end of the line), with the width asked for.
    struct Token {
        PlaceholderName name;
        std::size_t start = 0;
        std::size_t length = 0;
        std::optional<int> width;
    };
    // A percent sign that begins a name, as "%Upd" or "%" do, right in front
    // of a placeholder: a value that begins with one of `completing` would
    // complete that name.
    struct OpenName {
        std::size_t token = 0; // the placeholder that follows, in `tokens`
        std::string completing;
    };
    struct Line {
        std::uint8_t held = 0; // one bit per PlaceholderName
        // No percent sign of the line begins a placeholder name that the
        // value put in behind it could complete.
        bool noNameToComplete = true;
        // Each placeholder ends at a percent sign of its own, so that the
        // values can be put in side by side (see SchemaPlaceholders).
        bool sideBySide = true;
        std::vector<Token> tokens; // left to right
        std::vector<OpenName> openNames;

        bool holds(PlaceholderName name) const {
            return (held & (1u << static_cast<unsigned>(name))) != 0;
        }
    };

    explicit SchemaPlaceholders(const Schema& schema);
    const Line& line(std::size_t index) const { return lines_.at(index); }

private:
    std::vector<Line> lines_;
};

} // namespace qw
