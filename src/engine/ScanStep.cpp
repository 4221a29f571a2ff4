// The scanner's reading of strings and comments, shared by the commenting
// pass, its look ahead to the end of a line, and the clean pass.
#include "engine/ScanStep.h"

#include <cstring>

#include "text/MultiLineString.h"

namespace qw {
namespace {

char charAt(std::string_view line, std::size_t i) {
    return i < line.size() ? line[i] : '\0';
}

} // namespace

Opener openerAt(std::string_view line, std::size_t i) {
    switch (line[i]) {
    case '\'':
        return multiLineOpenerQuotes(line, i) > 0 ? Opener::MultiLineString : Opener::String;
    case '{':
        return Opener::BraceComment;
    case '(':
        return charAt(line, i + 1) == '*' ? Opener::ParenComment : Opener::None;
    case '/':
        return charAt(line, i + 1) == '/' ? Opener::LineComment : Opener::None;
    default:
        return Opener::None;
    }
}

std::size_t readText(std::string_view line, std::size_t from, std::size_t to, ScanState& state) {
    const char closer = state == ScanState::String         ? '\''
                        : state == ScanState::BraceComment ? '}'
                                                           : '*';
    std::size_t i = from;
    while (i < to) {
        const void* hit = std::memchr(line.data() + i, closer, to - i);
        if (hit == nullptr)
            return to;
        i = static_cast<std::size_t>(static_cast<const char*>(hit) - line.data());
        const char next = charAt(line, i + 1);
        switch (state) {
        case ScanState::String:
            if (next == '\'') {
                i += 2;
                break;
            }
            state = ScanState::Code;
            return i + 1;
        case ScanState::BraceComment:
            state = ScanState::Code;
            return i + 1;
        case ScanState::ParenComment:
            if (next == ')') {
                state = ScanState::Code;
                return i + 2;
            }
            ++i;
            break;
        default:
            return to;
        }
    }
    return i;
}

} // namespace qw
