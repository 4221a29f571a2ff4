#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qw {

// Where the scanner stands in the source: in code, or inside a string or a
// comment that only its closer ends.
enum class ScanState : std::uint8_t {
    Code,
    String,          // '...'; a doubled quote stays inside
    BraceComment,    // { ... }
    ParenComment,    // (* ... *)
    MultiLineString, // an odd run of three or more quotes ending its line
};

// What a character read as code begins.
enum class Opener : std::uint8_t {
    None,
    String,
    MultiLineString,
    BraceComment,
    ParenComment, // its "*" is the comment's first character
    LineComment,
};

// What the character at `i` (inside the line) begins when read as code.
Opener openerAt(std::string_view line, std::size_t i);

// Reads the string or comment open in `state` from `from` on until it closes
// or `to` is reached; returns the index after the last character read. A
// closer that begins before `to` is read whole, and so is a doubled quote.
// `state` becomes Code where the text closes. Not for MultiLineString, whose
// closer is a line of its own.
std::size_t readText(std::string_view line, std::size_t from, std::size_t to, ScanState& state);

} // namespace qw
