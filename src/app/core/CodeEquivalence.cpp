#include "app/core/CodeEquivalence.h"

#include <cstddef>

namespace qw {
namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}
bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

bool isWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 128;
}

// Would `a` and `b`, written next to each other, read as one token (or start
// a comment) where with a separator between them they read as two? Only there
// does a separator carry meaning; elsewhere ("a{x}+b" against "a+b") its
// presence is no difference in the code. Errs on the side of meaning.
bool separatorMatters(char a, char b) {
    if (isWordChar(a) && isWordChar(b))
        return true;
    if ((a == '$' || a == '#' || a == '&' || a == '%' || a == '^') && isWordChar(b))
        return true;
    if (a == '#' && (b == '$' || b == '%' || b == '&'))
        return true;
    if ((a >= '0' && a <= '9' && b == '.') || (a == '.' && b >= '0' && b <= '9'))
        return true;
    static constexpr const char* kPairs[] = {
        ":=", "<=", ">=", "<>", "><", "..", "(*", "*)", "//", "(.",
        ".)", "+=", "-=", "*=", "/=", "**", "<<", ">>", "@@", "''"};
    for (const char* p : kPairs)
        if (a == p[0] && b == p[1])
            return true;
    return false;
}

// One element of a text's code: a byte, or the separator that stands for a
// run of blanks and comments.
struct CodeUnit {
    bool separator = false;
    char byte = 0;
    std::size_t offset = 0; // where it begins in the text; for a separator, where the code resumes
};

// Walks a text and yields its code, one unit at a time, without copying it.
class CodeCursor {
public:
    // A UTF-8 byte-order mark at the start marks the encoding; it is no code.
    explicit CodeCursor(std::string_view text)
        : t_(text), byteOrderMark_(text.substr(0, 3) == "\xEF\xBB\xBF") {
        pos_ = byteOrderMark_ ? 3 : 0;
    }
    bool byteOrderMark() const { return byteOrderMark_; }

    // The next unit; false at the end of the code.
    bool next(CodeUnit& unit) {
        if (state_ == State::String || state_ == State::SecondQuote)
            return nextInString(unit);
        const std::size_t gapStart = pos_;
        skipGap();
        if (pos_ >= t_.size())
            return false;
        if (pos_ > gapStart && emitted_ &&
            (state_ != State::Code || separatorMatters(t_[last_], t_[pos_]))) {
            unit = {true, ' ', pos_}; // placed where the code resumes
            return true;
        }
        return nextCodeByte(unit);
    }

    std::size_t lastOffset() const { return last_; }

private:
    enum class State { Code, String, SecondQuote, BraceDirective, ParenDirective };

    char at(std::size_t i) const { return i < t_.size() ? t_[i] : '\0'; }

    bool commentStartsAt(std::size_t i) const {
        const char c = t_[i];
        if (c == '{')
            return at(i + 1) != '$';
        if (c == '(')
            return at(i + 1) == '*' && at(i + 2) != '$';
        return c == '/' && at(i + 1) == '/';
    }

    // Steps over blanks and, outside directives, comments.
    void skipGap() {
        while (pos_ < t_.size()) {
            if (isBlank(t_[pos_])) {
                ++pos_;
            } else if (state_ == State::Code && commentStartsAt(pos_)) {
                skipComment();
            } else {
                return;
            }
        }
    }

    void skipComment() {
        std::size_t end = std::string_view::npos;
        if (t_[pos_] == '{') {
            end = t_.find('}', pos_ + 1);
            pos_ = end == std::string_view::npos ? t_.size() : end + 1;
        } else if (t_[pos_] == '(') {
            end = t_.find("*)", pos_ + 2);
            pos_ = end == std::string_view::npos ? t_.size() : end + 2;
        } else {
            end = t_.find_first_of("\r\n", pos_ + 2);
            pos_ = end == std::string_view::npos ? t_.size() : end;
        }
    }

    bool emit(CodeUnit& unit, std::size_t i) {
        unit = {false, t_[i], i};
        last_ = i;
        emitted_ = true;
        pos_ = i + 1;
        return true;
    }

    bool nextCodeByte(CodeUnit& unit) {
        const std::size_t i = pos_;
        const char c = t_[i];
        switch (state_) {
        case State::Code:
            if (c == '\'')
                state_ = State::String;
            else if (c == '{')
                state_ = State::BraceDirective; // a comment would have been a gap
            else if (c == '(' && at(i + 1) == '*') {
                state_ = State::ParenDirective;
                directiveStart_ = i;
            }
            break;
        case State::BraceDirective:
            if (c == '}')
                state_ = State::Code;
            break;
        case State::ParenDirective:
            if (c == ')' && i >= directiveStart_ + 4 && t_[i - 1] == '*')
                state_ = State::Code;
            break;
        default:
            break;
        }
        return emit(unit, i);
    }

    bool nextInString(CodeUnit& unit) {
        if (pos_ >= t_.size())
            return false;
        const std::size_t i = pos_;
        const char c = t_[i];
        if (state_ == State::SecondQuote) {
            state_ = State::String;
            return emit(unit, i);
        }
        if (c == '\'') {
            state_ = at(i + 1) == '\'' ? State::SecondQuote : State::Code;
            return emit(unit, i);
        }
        if (isBreak(c) || (isBlank(c) && i >= blankCodeUntil_ && blanksEndTheLine(i))) {
            // A string left open at the end of its line ends there.
            state_ = State::Code;
            return next(unit);
        }
        return emit(unit, i);
    }

    // Do the blanks from `i` on run to the end of the line? Remembers where a
    // run that does not ends, so that a long run is looked at once.
    bool blanksEndTheLine(std::size_t i) {
        std::size_t j = i;
        while (j < t_.size() && isBlank(t_[j]) && !isBreak(t_[j]))
            ++j;
        if (j >= t_.size() || isBreak(t_[j]))
            return true;
        blankCodeUntil_ = j;
        return false;
    }

    std::string_view t_;
    std::size_t pos_ = 0;
    std::size_t last_ = 0;
    std::size_t directiveStart_ = 0;
    std::size_t blankCodeUntil_ = 0;
    State state_ = State::Code;
    bool byteOrderMark_ = false;
    bool emitted_ = false;
};

int lineAt(std::string_view text, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            ++line;
    }
    return line;
}

std::string excerptAt(std::string_view text, std::size_t offset) {
    constexpr std::size_t kExcerpt = 24;
    if (offset >= text.size())
        return {};
    std::string_view rest = text.substr(offset, kExcerpt);
    const std::size_t lineEnd = rest.find_first_of("\r\n");
    return std::string(rest.substr(0, lineEnd));
}

} // namespace

std::optional<CodeMismatch> findCodeMismatch(std::string_view before, std::string_view after) {
    CodeCursor a(before);
    CodeCursor b(after);
    if (a.byteOrderMark() != b.byteOrderMark()) {
        CodeMismatch m{1, 1, {}, {}};
        (b.byteOrderMark() ? m.afterExcerpt : m.beforeExcerpt) = "(byte-order mark)";
        return m;
    }
    CodeUnit ua;
    CodeUnit ub;
    for (;;) {
        const bool moreA = a.next(ua);
        const bool moreB = b.next(ub);
        if (!moreA && !moreB)
            return std::nullopt;
        if (moreA && moreB && ua.separator == ub.separator && ua.byte == ub.byte)
            continue;
        const std::size_t atA = moreA ? ua.offset : a.lastOffset();
        const std::size_t atB = moreB ? ub.offset : b.lastOffset();
        CodeMismatch m;
        m.beforeLine = lineAt(before, atA);
        m.afterLine = lineAt(after, atB);
        m.beforeExcerpt = moreA ? excerptAt(before, atA) : std::string();
        m.afterExcerpt = moreB ? excerptAt(after, atB) : std::string();
        return m;
    }
}

std::string describeCodeMismatch(const CodeMismatch& m) {
    std::string text = "the code differs at line " + std::to_string(m.afterLine);
    text += " (output: \"" + m.afterExcerpt + "\", input line " + std::to_string(m.beforeLine) +
            ": \"" + m.beforeExcerpt + "\")";
    return text;
}

} // namespace qw
