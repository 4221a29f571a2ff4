#include "text/TokenJoining.h"

namespace qw {
namespace {

bool isWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 128;
}

} // namespace

bool separatorMatters(char a, char b) {
    if (isWordChar(a))
        return isWordChar(b) || (a >= '0' && a <= '9' && b == '.');
    if (a < '#' || (a > '/' && a < ':') || (a > '@' && a != '^')) // "'" lies in '#'..'/'
        return false; // no token that begins with `a` goes on with another character
    if ((a == '$' || a == '#' || a == '&' || a == '%' || a == '^') && isWordChar(b))
        return true; // $FF, #13, &17, %101, ^M
    if (a == '#' && (b == '$' || b == '%' || b == '&'))
        return true; // #$0D
    if (a == '.' && b >= '0' && b <= '9')
        return true; // 1.5
    static constexpr const char* kPairs[] = {
        ":=", "<=", ">=", "<>", "><", "..", "(*", "*)", "//", "(.", ".)",
        "+=", "-=", "*=", "/=", "**", "<<", ">>", "@@", "''", "(/"};
    for (const char* p : kPairs)
        if (a == p[0] && b == p[1])
            return true;
    return false;
}

} // namespace qw
