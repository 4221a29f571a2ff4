#pragma once

#include <string>
#include <string_view>

namespace qw::cli {

// The change from `before` to `after` as a unified diff of lines (three lines
// of context, the format of "diff -u" and of patch), both sides labelled
// `label`. Lines end at LF; a CR before it belongs to the line, and a last
// line without LF is followed by "\ No newline at end of file". Empty when the
// texts are equal.
std::string unifiedDiff(const std::string& label, std::string_view before, std::string_view after);

} // namespace qw::cli
