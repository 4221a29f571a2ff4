#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qw {

// The text followed by blanks up to `width`; longer text is returned whole.
std::string padRight(std::string_view text, int width);

// How many characters a value takes where a placeholder stood: the value,
// padded with blanks to the placeholder's width (`defaultWidth` when it asks
// for none); a longer value is not cut.
std::size_t paddedSize(std::optional<int> width, int defaultWidth, std::size_t valueSize);

// Widths beyond this are taken as this: a width field is user input, and a
// huge one would only build a huge line.
inline constexpr int kMaxPlaceholderWidth = 4096;

// One occurrence of a placeholder: from its percent sign through the next
// percent sign after the name (or to the end of the line), with the width
// that a colon and digits inside it ask for.
struct PlaceholderToken {
    std::size_t start = 0;  // 0-based index of the percent sign
    std::size_t length = 0; // the whole token
    std::optional<int> width;
};

std::optional<PlaceholderToken> findPlaceholder(std::string_view line, std::string_view name,
                                                std::size_t from = 0);

// Replaces every occurrence of `name` (such as "%FuncName") by the one-line
// value, padded to the token's width. Each occurrence is replaced once: the
// search goes on behind the inserted value, so a value that holds the
// placeholder itself is not replaced again. Returns whether anything was
// replaced.
bool replacePlaceholder(std::string& line, std::string_view name, std::string_view value);

// What a continuation line begins with: the first three characters of the
// block's first line followed by blanks, cut to `column` - 2 characters
// (`column` is the 1-based column of the placeholder's percent sign).
std::string continuationPrefix(std::string_view firstLine, int column);

// For a value of several lines separated by CR: replaces the placeholder as
// above with the first value line and lays out the others under it as
// continuation lines (the opener's first three characters, blanks up to the
// placeholder's column, the value line padded to the width, blanks up to the
// first line's length less its closing, and the closing). Returns the first
// line followed by the continuation lines, or nothing when the line holds no
// such placeholder.
std::optional<std::vector<std::string>>
layOutMultiLineValue(std::string line, std::string_view name, std::string_view value);

} // namespace qw
