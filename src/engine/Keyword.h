#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace qw {

// The words and punctuation the rules compare tokens with, looked up once per
// token so that the rules compare small numbers instead of strings. One list
// gives the enum and the lookup.
#define QW_KEYWORDS(X)                                                                             \
    X(End, "end")                                                                                  \
    X(Begin, "begin")                                                                              \
    X(External, "external")                                                                        \
    X(Forward, "forward")                                                                          \
    X(Case, "case")                                                                                \
    X(Try, "try")                                                                                  \
    X(Asm, "asm")                                                                                  \
    X(Do, "do")                                                                                    \
    X(Class, "class")                                                                              \
    X(Interface, "interface")                                                                      \
    X(Record, "record")                                                                            \
    X(Object, "object")                                                                            \
    X(Implementation, "implementation")                                                            \
    X(Uses, "uses")                                                                                \
    X(Type, "type")                                                                                \
    X(Function, "function")                                                                        \
    X(Procedure, "procedure")                                                                      \
    X(Constructor, "constructor")                                                                  \
    X(Destructor, "destructor")                                                                    \
    X(Var, "var")                                                                                  \
    X(Const, "const")                                                                              \
    X(Of, "of")                                                                                    \
    X(Assembler, "assembler")                                                                      \
    X(Colon, ":")                                                                                  \
    X(Semicolon, ";")                                                                              \
    X(Equals, "=")                                                                                 \
    X(Comma, ",")                                                                                  \
    X(Dot, ".")                                                                                    \
    X(OpenParen, "(")                                                                              \
    X(CloseParen, ")")                                                                             \
    X(Less, "<")                                                                                   \
    X(Greater, ">")

enum class Keyword : std::uint8_t {
    None,
#define QW_KEYWORD_VALUE(name, text) name,
    QW_KEYWORDS(QW_KEYWORD_VALUE)
#undef QW_KEYWORD_VALUE
};

// The punctuation marks: the keywords of a single character.
constexpr bool isPunctuation(Keyword k) {
    switch (k) {
#define QW_KEYWORD_PUNCTUATION(name, text)                                                         \
    case Keyword::name:                                                                            \
        return sizeof(text) == 2;
        QW_KEYWORDS(QW_KEYWORD_PUNCTUATION)
#undef QW_KEYWORD_PUNCTUATION
    case Keyword::None:
        break;
    }
    return false;
}

namespace detail {
inline constexpr std::array<Keyword, 256> kPunctuationOf = [] {
    std::array<Keyword, 256> table{};
#define QW_KEYWORD_PUNCTUATION_ROW(name, text)                                                     \
    if constexpr (sizeof(text) == 2)                                                               \
        table[static_cast<unsigned char>(text[0])] = Keyword::name;
    QW_KEYWORDS(QW_KEYWORD_PUNCTUATION_ROW)
#undef QW_KEYWORD_PUNCTUATION_ROW
    return table;
}();
} // namespace detail

// The punctuation mark a character is, or Keyword::None: the keyword of a
// token of that one character.
constexpr Keyword punctuationOf(char c) {
    return detail::kPunctuationOf[static_cast<unsigned char>(c)];
}

// The keyword a token is, in any letter case (only A..Z are folded), or
// Keyword::None.
Keyword keywordOf(std::string_view token);

} // namespace qw
