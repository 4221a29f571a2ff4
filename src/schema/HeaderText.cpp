#include "schema/HeaderText.h"

#include <algorithm>

#include "text/Text.h"

namespace qw::header_text {

std::string_view copy(std::string_view s, int position, int count) {
    if (position < 1)
        position = 1;
    const auto start = static_cast<std::size_t>(position - 1);
    if (count <= 0 || start >= s.size())
        return {};
    return s.substr(start, static_cast<std::size_t>(count));
}

int positionOf(std::string_view s, std::string_view sub) {
    const std::size_t at = s.find(sub);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

int firstPlaceholderColumn(std::string_view s) {
    const int p = positionOf(s, "%");
    if (p == 0 || copy(s, p, 2) == "%%")
        return 0;
    return p;
}

bool regionBlank(std::string_view s, int l) {
    return l > 3 && trim(copy(s, 3, l - 3)).empty();
}

bool isContinuationLine(std::string_view s, int l, std::string_view prefix) {
    if (s.substr(0, std::min(s.size(), prefix.size())) != prefix || !regionBlank(s, l))
        return false;
    return l <= static_cast<int>(s.size()) &&
           !trim(s.substr(static_cast<std::size_t>(l - 1))).empty();
}

std::string_view withoutIndent(std::string_view line, int indent) {
    if (indent <= 0)
        return line;
    const auto cut = static_cast<std::size_t>(indent);
    return cut >= line.size() ? std::string_view() : line.substr(cut);
}

} // namespace qw::header_text
