#pragma once

#include <cstdint>
#include <string_view>

namespace qw {

// The words and punctuation the rules compare tokens with, looked up once per
// token so that the rules compare small numbers instead of strings.
enum class Keyword : std::uint8_t {
    None,
    End,
    Begin,
    External,
    Forward,
    Case,
    Try,
    Asm,
    Do,
    Class,
    Interface,
    Record,
    Object,
    Implementation,
    Uses,
    Type,
    Function,
    Procedure,
    Constructor,
    Destructor,
    Var,
    Const,
    Of,
    Assembler,
    Colon,
    Semicolon,
    Equals,
    Comma,
    Dot,
    OpenParen,
    CloseParen,
    Less,
    Greater,
};

// The keyword a lower-case token is, or Keyword::None.
Keyword keywordOf(std::string_view lower);

} // namespace qw
