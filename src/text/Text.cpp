#include "text/Text.h"

#include <algorithm>

namespace qw {

std::string toLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = toLowerAscii(c);
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return toLowerAscii(x) == toLowerAscii(y);
           });
}

bool containsWord(std::string_view list, std::string_view word) {
    // list is of the form " a b c "; look for " word ".
    std::size_t pos = 0;
    while ((pos = list.find(word, pos)) != std::string_view::npos) {
        if (pos > 0 && list[pos - 1] == ' ' && pos + word.size() < list.size() &&
            list[pos + word.size()] == ' ')
            return true;
        ++pos;
    }
    return false;
}

} // namespace qw
