#include "text/MultiLineString.h"

namespace qw {
namespace {

// Blanks and control characters, as everywhere the tool trims a line; a line
// break ends the line instead. A control character after the opening quotes
// must not hide the opener: cleaning trims it, and the cleaned line would
// then open a string that the first pass did not see.
bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ' && c != '\r' && c != '\n';
}

std::size_t quotesFrom(std::string_view text, std::size_t i) {
    std::size_t j = i;
    while (j < text.size() && text[j] == '\'')
        ++j;
    return j - i;
}

} // namespace

std::size_t multiLineOpenerQuotes(std::string_view text, std::size_t quoteAt) {
    const std::size_t quotes = quotesFrom(text, quoteAt);
    if (quotes < 3 || quotes % 2 == 0)
        return 0;
    std::size_t j = quoteAt + quotes;
    while (j < text.size() && isBlank(text[j]))
        ++j;
    return j == text.size() || text[j] == '\r' || text[j] == '\n' ? quotes : 0;
}

std::size_t multiLineCloserEnd(std::string_view line, std::size_t quotes) {
    std::size_t j = 0;
    while (j < line.size() && isBlank(line[j]))
        ++j;
    return quotesFrom(line, j) == quotes ? j + quotes : std::string_view::npos;
}

} // namespace qw
