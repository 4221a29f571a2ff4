#pragma once

#include "text/ByteRuns.h"

#include <string>
#include <string_view>

namespace qw {

// Byte-string helpers. Letter case follows the ANSI rules of the pass: only
// A..Z are folded, bytes from 128 up stay as they are, as in a C locale.
constexpr char toLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
std::string toLower(std::string_view s);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
// Removes blanks and control characters (bytes up to 32) at both ends.
// Inline: the pass trims every line it reads.
inline std::string_view trimLeft(std::string_view s) {
    return s.substr(firstAboveBlanks(s));
}
inline std::string_view trimRight(std::string_view s) {
    return s.substr(0, endOfAboveBlanks(s));
}
inline std::string_view trim(std::string_view s) {
    return trimRight(trimLeft(s));
}
bool containsWord(std::string_view list, std::string_view word); // " " + word + " " in list

} // namespace qw
