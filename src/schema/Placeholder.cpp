#include "schema/Placeholder.h"

#include <algorithm>

namespace qw {

std::string padRight(std::string_view text, int width) {
    std::string out(text);
    if (width > static_cast<int>(out.size()))
        out.append(static_cast<std::size_t>(width) - out.size(), ' ');
    return out;
}

static std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

static bool isDigitChar(char c) {
    return c >= '0' && c <= '9';
}

static int readWidth(std::string_view digits) {
    int width = 0;
    for (char c : digits) {
        if (!isDigitChar(c))
            break;
        width = width * 10 + (c - '0');
        if (width > kMaxPlaceholderWidth)
            return kMaxPlaceholderWidth;
    }
    return width;
}

std::optional<PlaceholderToken> findPlaceholder(std::string_view line, std::string_view name,
                                                std::size_t from) {
    const std::size_t start = line.find(name, from);
    if (start == std::string_view::npos)
        return std::nullopt;
    PlaceholderToken token;
    token.start = start;
    std::size_t i = start + name.size();
    for (; i < line.size() && line[i] != '%'; ++i)
        if (line[i] == ':')
            token.width = readWidth(line.substr(i + 1));
    const std::size_t end = i < line.size() ? i + 1 : line.size();
    token.length = end - start;
    return token;
}

// Without a width field the width is the length of the whole value, which
// for a value of several lines is longer than any of its lines.
std::size_t paddedSize(std::optional<int> width, int defaultWidth, std::size_t valueSize) {
    return std::max(static_cast<std::size_t>(std::max(width.value_or(defaultWidth), 0)), valueSize);
}

static bool replaceEach(std::string& line, std::string_view name, std::string_view value,
                        int defaultWidth) {
    bool replaced = false;
    std::size_t from = 0;
    while (auto token = findPlaceholder(line, name, from)) {
        // The value padded to the width, written in place without a copy of
        // its own: this runs for every placeholder of every header.
        const std::size_t size = paddedSize(token->width, defaultWidth, value.size());
        line.replace(token->start, token->length, size, ' ');
        line.replace(token->start, value.size(), value);
        from = token->start + size;
        replaced = true;
    }
    return replaced;
}

bool replacePlaceholder(std::string& line, std::string_view name, std::string_view value) {
    return replaceEach(line, name, value, static_cast<int>(value.size()));
}

static void appendBlanksUpTo(std::string& text, std::size_t size) {
    if (size > text.size())
        text.append(size - text.size(), ' ');
}

static std::vector<std::string_view> splitAtCr(std::string_view value) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t cr; (cr = value.find('\r', start)) != std::string_view::npos; start = cr + 1)
        parts.push_back(value.substr(start, cr - start));
    parts.push_back(value.substr(start));
    return parts;
}

std::string continuationPrefix(std::string_view firstLine, int column) {
    if (column <= 2)
        return {};
    const auto length = static_cast<std::size_t>(column - 2);
    return padRight(firstLine.substr(0, 3), column - 2).substr(0, length);
}

std::optional<std::vector<std::string>>
layOutMultiLineValue(std::string line, std::string_view name, std::string_view value) {
    const auto first = findPlaceholder(line, name);
    if (!first)
        return std::nullopt;
    const std::vector<std::string_view> parts = splitAtCr(value);
    const int width = first->width.value_or(static_cast<int>(value.size()));
    // p is the 1-based column of the placeholder's percent sign.
    const int p = static_cast<int>(first->start) + 1;
    replaceEach(line, name, parts.front(), static_cast<int>(value.size()));

    const std::string prefix = continuationPrefix(line, p);
    const std::string_view lastTwo =
        std::string_view(line).substr(line.size() - std::min<std::size_t>(2, line.size()));
    const std::string closing(trimBlanks(lastTwo));
    const int target = static_cast<int>(line.size() - closing.size());

    std::vector<std::string> out;
    out.reserve(parts.size());
    out.push_back(std::move(line));
    for (std::size_t k = 1; k < parts.size(); ++k) {
        // Built in place, as prefix, padded value, padding to the target and
        // closing: every routine with several parameter groups has such lines.
        std::string& next = out.emplace_back(prefix);
        next += parts[k];
        appendBlanksUpTo(next, prefix.size() + static_cast<std::size_t>(std::max(width, 0)));
        appendBlanksUpTo(next, static_cast<std::size_t>(target));
        next += closing;
    }
    return out;
}

} // namespace qw
