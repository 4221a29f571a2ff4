#pragma once

#include <optional>
#include <string_view>

#include "settings/CrossReference.h"
#include "settings/EndCommentStyle.h"

namespace qw {

// The words a user writes for the values of the settings, in any letter case:
// styles as none, line, brace, paren (or their numbers 0 to 3), switches as
// on/off, yes/no, true/false or 1/0.
std::optional<EndCommentStyle> styleNamed(std::string_view text);
std::optional<CrossReference> switchNamed(std::string_view text);

// The word of a style: "none", "line", "brace", "paren".
const char* styleWord(EndCommentStyle style);

} // namespace qw
