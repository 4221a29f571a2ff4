#include "engine/Keyword.h"

namespace qw {

Keyword keywordOf(std::string_view t) {
    switch (t.size()) {
    case 1:
        switch (t[0]) {
        case ':':
            return Keyword::Colon;
        case ';':
            return Keyword::Semicolon;
        case '=':
            return Keyword::Equals;
        case ',':
            return Keyword::Comma;
        case '.':
            return Keyword::Dot;
        case '(':
            return Keyword::OpenParen;
        case ')':
            return Keyword::CloseParen;
        case '<':
            return Keyword::Less;
        case '>':
            return Keyword::Greater;
        default:
            return Keyword::None;
        }
    case 2:
        if (t == "do")
            return Keyword::Do;
        if (t == "of")
            return Keyword::Of;
        return Keyword::None;
    case 3:
        if (t == "end")
            return Keyword::End;
        if (t == "try")
            return Keyword::Try;
        if (t == "asm")
            return Keyword::Asm;
        if (t == "var")
            return Keyword::Var;
        return Keyword::None;
    case 4:
        if (t == "case")
            return Keyword::Case;
        if (t == "uses")
            return Keyword::Uses;
        if (t == "type")
            return Keyword::Type;
        return Keyword::None;
    case 5:
        if (t == "begin")
            return Keyword::Begin;
        if (t == "class")
            return Keyword::Class;
        if (t == "const")
            return Keyword::Const;
        return Keyword::None;
    case 6:
        if (t == "record")
            return Keyword::Record;
        if (t == "object")
            return Keyword::Object;
        return Keyword::None;
    case 7:
        if (t == "forward")
            return Keyword::Forward;
        return Keyword::None;
    case 8:
        if (t == "external")
            return Keyword::External;
        if (t == "function")
            return Keyword::Function;
        return Keyword::None;
    case 9:
        if (t == "interface")
            return Keyword::Interface;
        if (t == "procedure")
            return Keyword::Procedure;
        if (t == "assembler")
            return Keyword::Assembler;
        return Keyword::None;
    case 10:
        if (t == "destructor")
            return Keyword::Destructor;
        return Keyword::None;
    case 11:
        if (t == "constructor")
            return Keyword::Constructor;
        return Keyword::None;
    case 14:
        if (t == "implementation")
            return Keyword::Implementation;
        return Keyword::None;
    default:
        return Keyword::None;
    }
}

} // namespace qw
