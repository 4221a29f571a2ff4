#pragma once

#include <cstddef>
#include <string_view>

namespace qw {

// A multi-line string opens with a run of an odd number, at least three, of
// quotes that ends its line but for blanks (and control characters); a line
// that begins (after those) with the same number of quotes closes it. Between
// them every line is text.
// The scanner and the code comparison read them by these two functions.

// The number of quotes that open a multi-line string at `quoteAt`, or 0. The
// line ends at the end of `text` or at a line break.
std::size_t multiLineOpenerQuotes(std::string_view text, std::size_t quoteAt);

// The index after the quotes that close a multi-line string opened by
// `quotes` quotes, when `line` (from its start) closes it; npos when not.
std::size_t multiLineCloserEnd(std::string_view line, std::size_t quotes);

} // namespace qw
