#include "text/MultiLineString.h"

namespace qw {
namespace {

bool isSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
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
    while (j < text.size() && isSpaceOrTab(text[j]))
        ++j;
    return j == text.size() || text[j] == '\r' || text[j] == '\n' ? quotes : 0;
}

std::size_t multiLineCloserEnd(std::string_view line, std::size_t quotes) {
    std::size_t j = 0;
    while (j < line.size() && isSpaceOrTab(line[j]))
        ++j;
    return quotesFrom(line, j) == quotes ? j + quotes : std::string_view::npos;
}

} // namespace qw
