#include "engine/Keyword.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace qw {
namespace {

struct Spelling {
    std::string_view text;
    Keyword keyword;
};

constexpr Spelling kSpellings[] = {
#define QW_KEYWORD_SPELLING(name, text) {text, Keyword::name},
    QW_KEYWORDS(QW_KEYWORD_SPELLING)
#undef QW_KEYWORD_SPELLING
};

// Tokens are looked up by their length first: no length has more than a few
// words, and a token of one character is one look into a table.
constexpr std::size_t kLongest = 14;
constexpr std::size_t kPerLength = 4;

constexpr bool isLowerLetter(char c) {
    return c >= 'a' && c <= 'z';
}
constexpr bool isLetter(char c) {
    return isLowerLetter(c) || (c >= 'A' && c <= 'Z');
}

struct Table {
    std::array<std::array<Spelling, kPerLength>, kLongest + 1> words{};
    std::array<std::size_t, kLongest + 1> counts{};
    // Per length, the first letters of its words (bit 0: a): a name whose
    // first letter begins none of them is rejected with one look.
    std::array<std::uint32_t, kLongest + 1> firstLetters{};
    bool fits = true;         // every spelling found its place
    bool foldsExactly = true; // case folding by setting bit 0x20 is exact
};

constexpr Table kTable = [] {
    Table t;
    for (const Spelling& s : kSpellings) {
        const std::size_t n = s.text.size();
        if (n == 1) {
            t.foldsExactly = t.foldsExactly && !isLetter(s.text[0]);
        } else if (n == 0 || n > kLongest || t.counts[n] == kPerLength) {
            t.fits = false;
        } else {
            t.words[n][t.counts[n]++] = s;
            t.firstLetters[n] |= std::uint32_t{1} << (s.text[0] - 'a');
            for (char c : s.text)
                t.foldsExactly = t.foldsExactly && isLowerLetter(c);
        }
    }
    return t;
}();
static_assert(kTable.fits, "a keyword longer than kLongest, or too many of one length");
static_assert(kTable.foldsExactly,
              "a word of more than one character holds other than lower-case letters, or one of "
              "a single character is a letter");

// A byte with bit 0x20 set is a lower-case letter only if it was that letter
// in either case: the words, all lower-case letters, are matched in any case
// without a lower-case copy of the token.
bool foldedEquals(char c, char lowerLetter) {
    return static_cast<char>(c | 0x20) == lowerLetter;
}

bool equalsFolded(std::string_view token, std::string_view word) {
    for (std::size_t i = 0; i < word.size(); ++i)
        if (!foldedEquals(token[i], word[i]))
            return false;
    return true;
}

} // namespace

Keyword keywordOf(std::string_view t) {
    // Punctuation is one look into a table; no letter is a keyword alone.
    if (t.size() == 1)
        return punctuationOf(t[0]);
    if (t.size() > kLongest)
        return Keyword::None;
    // Folded, a letter is 0 to 25 here; every other byte is 26 or more and
    // begins no word.
    const unsigned first = static_cast<unsigned char>(t[0] | 0x20) - unsigned{'a'};
    if (first >= 26 || !(kTable.firstLetters[t.size()] >> first & 1u))
        return Keyword::None;
    const auto& words = kTable.words[t.size()];
    // Most tokens are names that differ from every word in their first
    // letter: that is compared before the whole.
    for (std::size_t i = 0; i < kTable.counts[t.size()]; ++i)
        if (foldedEquals(t[0], words[i].text[0]) && equalsFolded(t, words[i].text))
            return words[i].keyword;
    return Keyword::None;
}

} // namespace qw
