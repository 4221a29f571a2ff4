#pragma once

#include <string>
#include <string_view>

namespace qw {

// Column arithmetic on header lines, counted from 1 as the rules count them.
namespace header_text {

// The `count` characters from 1-based `position` on, as much of them as the
// text holds (a position below 1 counts as 1).
std::string_view copy(std::string_view s, int position, int count);

// The first `count` characters.
inline std::string_view prefix(std::string_view s, int count) {
    return copy(s, 1, count);
}

// 1-based position of `sub`, 0 when absent.
int positionOf(std::string_view s, std::string_view sub);

// 1-based position of the first percent sign, 0 when there is none or when it
// opens "%%".
int firstPlaceholderColumn(std::string_view s);

// Characters 3 to l - 1 hold nothing but blanks: true for continuation lines
// and older update lines, false for a line that carries its label there.
// With l of 3 or less there is no such region, and nothing can be told by it:
// the answer is false, or every line, code and empty lines included, would
// pass for a continuation line and be removed.
bool regionBlank(std::string_view s, int l);

// A continuation line of a parameter block: it begins with the block's
// continuation prefix, its region is blank and it holds text from column l on.
// Lines of code do not begin with a comment opener, and an empty line holds no
// text, so neither is taken for one (the matching removes such lines).
bool isContinuationLine(std::string_view s, int l, std::string_view prefix);

// A line with the header's indentation taken off.
std::string_view withoutIndent(std::string_view line, int indent);

} // namespace header_text
} // namespace qw
