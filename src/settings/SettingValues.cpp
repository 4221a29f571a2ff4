#include "settings/SettingValues.h"

#include "text/Text.h"

namespace qw {
namespace {

constexpr const char* kStyleWords[] = {"none", "line", "brace", "paren"};

} // namespace

std::optional<EndCommentStyle> styleNamed(std::string_view text) {
    const std::string lower = toLower(text);
    for (int i = 0; i < 4; ++i)
        if (lower == kStyleWords[i] || lower == std::to_string(i))
            return static_cast<EndCommentStyle>(i);
    return std::nullopt;
}

std::optional<CrossReference> switchNamed(std::string_view text) {
    const std::string lower = toLower(text);
    for (const char* on : {"1", "on", "yes", "true"})
        if (lower == on)
            return CrossReference::On;
    for (const char* off : {"0", "off", "no", "false"})
        if (lower == off)
            return CrossReference::Off;
    return std::nullopt;
}

const char* styleWord(EndCommentStyle style) {
    return kStyleWords[static_cast<int>(style)];
}

} // namespace qw
