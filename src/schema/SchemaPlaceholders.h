#pragma once

#include <cstdint>
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

// Which placeholders each schema line holds, read once when the header step
// takes the schema on, so that the expansion for every routine looks only for
// those. A line's values can still bring in a placeholder that the schema line
// did not hold: a value with a percent sign, or one that completes a name
// begun in the line ("%Upd%FuncName%" for a routine named "ate"). The
// expansion searches for every placeholder when that can happen.
class SchemaPlaceholders {
public:
    struct Line {
        std::uint8_t held = 0; // one bit per PlaceholderName
        // No percent sign of the line begins a placeholder name that the
        // value put in behind it could complete.
        bool noNameToComplete = true;

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
