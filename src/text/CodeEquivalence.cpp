#include "text/CodeEquivalence.h"

#include "text/ByteRuns.h"
#include "text/MultiLineString.h"
#include "text/TokenJoining.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qw {
namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}
bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

// Where the line holding `i` ends: its line break, or the text's end.
std::size_t lineEndFrom(std::string_view text, std::size_t i) {
    const std::size_t end = text.find_first_of("\r\n", i);
    return end == std::string_view::npos ? text.size() : end;
}

// The index after the line break at `i` (CR LF, LF or CR).
std::size_t afterBreak(std::string_view text, std::size_t i) {
    return i + (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1);
}

// Whether a comment (not a directive) opens at `i`.
bool commentOpensAt(std::string_view text, std::size_t i) {
    const auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
    const char c = text[i];
    if (c == '{')
        return at(i + 1) != '$';
    if (c == '(')
        return at(i + 1) == '*' && at(i + 2) != '$';
    return c == '/' && at(i + 1) == '/';
}

// One past the comment that opens at `i`, or npos when it does not close in
// `text`. A line comment ends at its line's end; "(*)" opens a comment.
std::size_t commentEnd(std::string_view text, std::size_t i) {
    if (text[i] == '{') {
        const std::size_t close = text.find('}', i + 1);
        return close == std::string_view::npos ? close : close + 1;
    }
    if (text[i] == '(') {
        const std::size_t close = text.find("*)", i + 2);
        return close == std::string_view::npos ? close : close + 2;
    }
    return lineEndFrom(text, i + 2);
}

// The bytes at which a run of plain code may end: blanks, quotes, braces and
// the first characters of "(*" and "//".
constexpr std::array<bool, 256> kMayEndCodeRun = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c <= 0x20; ++c)
        table[static_cast<std::size_t>(c)] = true;
    for (char c : {'\'', '{', '(', '/'})
        table[static_cast<unsigned char>(c)] = true;
    return table;
}();

// A stretch of a text's code: a run of code bytes, or the separator (of no
// length) that stands for a run of blanks and comments.
struct CodeChunk {
    bool separator = false;
    std::size_t offset = 0; // where it begins; for a separator, where the code resumes
    std::size_t length = 0;
};

// Walks a text and yields its code in chunks, without copying it. Runs of
// ordinary code bytes come as one chunk, so that the comparison can take
// them a run at a time.
class CodeCursor {
public:
    // A UTF-8 byte-order mark at the start marks the encoding; it is no code.
    explicit CodeCursor(std::string_view text)
        : t_(text), byteOrderMark_(text.substr(0, 3) == "\xEF\xBB\xBF") {
        pos_ = byteOrderMark_ ? 3 : 0;
    }
    bool byteOrderMark() const { return byteOrderMark_; }

    // The next chunk; false at the end of the code.
    bool next(CodeChunk& chunk) {
        if (state_ == State::String)
            return nextInString(chunk);
        if (state_ == State::MultiLineString)
            return nextInMultiLineString(chunk);
        const std::size_t gapStart = pos_;
        skipGap();
        if (pos_ >= t_.size())
            return false;
        if (pos_ > gapStart && emitted_ &&
            (state_ != State::Code || separatorMatters(t_[last_], t_[pos_]))) {
            chunk = {true, pos_, 0};
            return true;
        }
        return state_ == State::Code ? nextInCode(chunk) : nextInDirective(chunk);
    }

    std::size_t lastOffset() const { return last_; }

private:
    enum class State { Code, String, MultiLineString, BraceDirective, ParenDirective };

    char at(std::size_t i) const { return i < t_.size() ? t_[i] : '\0'; }


    // Steps over blanks and, outside directives, comments.
    void skipGap() {
        while (pos_ < t_.size()) {
            if (isBlank(t_[pos_])) {
                ++pos_;
            } else if (state_ == State::Code && commentOpensAt(t_, pos_)) {
                skipComment();
            } else {
                return;
            }
        }
    }

    void skipComment() {
        const std::size_t end = commentEnd(t_, pos_);
        pos_ = end == std::string_view::npos ? t_.size() : end;
    }

    bool emit(CodeChunk& chunk, std::size_t from, std::size_t to) {
        chunk = {false, from, to - from};
        last_ = to - 1;
        emitted_ = true;
        pos_ = to;
        return true;
    }

    // Code outside strings and directives: a run up to the next blank, quote,
    // brace or comment opener; a quote or a directive's opener alone.
    bool nextInCode(CodeChunk& chunk) {
        const std::size_t from = pos_;
        std::size_t i = from;
        while (i < t_.size()) {
            const char c = t_[i];
            if (kMayEndCodeRun[static_cast<unsigned char>(c)]) {
                if (isBlank(c) || c == '\'' || c == '{')
                    break;
                if ((c == '(' && at(i + 1) == '*') || (c == '/' && at(i + 1) == '/'))
                    break;
            }
            ++i;
        }
        if (i > from)
            return emit(chunk, from, i);
        const char c = t_[from];
        if (c == '\'') {
            const std::size_t quotes = multiLineOpenerQuotes(t_, from);
            if (quotes > 0) {
                state_ = State::MultiLineString;
                quotes_ = quotes;
                emit(chunk, from, from + quotes);
                pos_ = lineEndFrom(t_, pos_); // only blanks follow the opener
                return true;
            }
            state_ = State::String;
            return emit(chunk, from, from + 1);
        }
        if (c == '{') { // a comment would have been a gap: a directive
            state_ = State::BraceDirective;
            return emit(chunk, from, from + 1);
        }
        // "(*$" (a comment would have been a gap); "//" cannot be here.
        state_ = State::ParenDirective;
        directiveStart_ = from;
        return emit(chunk, from, from + 2);
    }

    bool nextInDirective(CodeChunk& chunk) {
        const std::size_t from = pos_;
        const char closer = state_ == State::BraceDirective ? '}' : '*';
        std::size_t i = from;
        while (i < t_.size() && !isBlank(t_[i]) && t_[i] != closer)
            ++i;
        if (i > from)
            return emit(chunk, from, i);
        if (state_ == State::BraceDirective) {
            state_ = State::Code;
            return emit(chunk, from, from + 1);
        }
        if (at(from + 1) == ')' && from >= directiveStart_ + 3) {
            state_ = State::Code;
            return emit(chunk, from, from + 2);
        }
        return emit(chunk, from, from + 1);
    }

    // Inside a multi-line string every byte of a line is code; each line
    // break comes as a separator. A line that starts (after blanks) with as
    // many quotes as opened the string closes it.
    bool nextInMultiLineString(CodeChunk& chunk) {
        if (pos_ >= t_.size())
            return false;
        if (isBreak(t_[pos_])) {
            chunk = {true, pos_, 0}; // at the break: a line that differs is named, not the next
            pos_ = afterBreak(t_, pos_);
            return true;
        }
        const std::size_t from = pos_;
        const std::size_t closed = multiLineCloserEnd(t_.substr(from), quotes_);
        if (closed != std::string_view::npos) {
            state_ = State::Code;
            return emit(chunk, from, from + closed);
        }
        return emit(chunk, from, lineEndFrom(t_, from));
    }

    bool nextInString(CodeChunk& chunk) {
        if (pos_ >= t_.size())
            return false;
        const std::size_t from = pos_;
        std::size_t i = from;
        while (i < t_.size() && t_[i] != '\'' && !isBlank(t_[i]))
            ++i;
        if (i > from)
            return emit(chunk, from, i);
        const char c = t_[from];
        if (c == '\'') {
            if (at(from + 1) == '\'')
                return emit(chunk, from, from + 2); // a doubled quote stays in the string
            state_ = State::Code;
            return emit(chunk, from, from + 1);
        }
        std::size_t j = from;
        while (j < t_.size() && isBlank(t_[j]) && !isBreak(t_[j]))
            ++j;
        if (j > from && j < t_.size() && !isBreak(t_[j]))
            return emit(chunk, from, j); // blanks inside the string are code
        // A string left open at the end of its line ends there; so do the
        // blanks that end the line.
        state_ = State::Code;
        return next(chunk);
    }

    std::string_view t_;
    std::size_t pos_ = 0;
    std::size_t last_ = 0;
    std::size_t directiveStart_ = 0;
    std::size_t quotes_ = 0; // the quotes that opened the multi-line string
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
    CodeChunk ca;
    CodeChunk cb;
    bool moreA = a.next(ca);
    bool moreB = b.next(cb);
    for (;;) {
        if (!moreA && !moreB)
            return std::nullopt;
        std::size_t atA = moreA ? ca.offset : a.lastOffset();
        std::size_t atB = moreB ? cb.offset : b.lastOffset();
        if (moreA && moreB && ca.separator == cb.separator) {
            if (ca.separator) {
                moreA = a.next(ca);
                moreB = b.next(cb);
                continue;
            }
            const std::size_t n = ca.length < cb.length ? ca.length : cb.length;
            if (before.compare(ca.offset, n, after.substr(cb.offset, n)) == 0) {
                ca.offset += n;
                ca.length -= n;
                cb.offset += n;
                cb.length -= n;
                if (ca.length == 0)
                    moreA = a.next(ca);
                if (cb.length == 0)
                    moreB = b.next(cb);
                continue;
            }
            std::size_t k = 0;
            while (before[ca.offset + k] == after[cb.offset + k])
                ++k;
            atA += k;
            atB += k;
        }
        CodeMismatch m;
        m.beforeLine = lineAt(before, atA);
        m.afterLine = lineAt(after, atB);
        m.beforeExcerpt = moreA ? excerptAt(before, atA) : std::string();
        m.afterExcerpt = moreB ? excerptAt(after, atB) : std::string();
        return m;
    }
}

// A string, comment or directive may open only at a quote, "{", "(" or "/".
std::size_t skipPlainCode(std::string_view text, std::size_t from) {
    return findFirstOfFour<'\'', '{', '(', '/'>(text, from);
}

bool holdsOnlyComments(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
        } else if (commentOpensAt(line, i)) {
            i = commentEnd(line, i);
            if (i == std::string_view::npos)
                return false; // the comment runs on to the next line
        } else {
            return false;
        }
    }
    return true;
}

LanguageState codeStateAfter(std::string_view text, LanguageState start) {
    CodeState state = start.state;
    std::size_t quotes = start.quotes;
    const std::size_t n = text.size();
    const auto at = [&](std::size_t i) {
        return i < n ? text[i] : '\0';
    };
    // One past the first closer at or after `from`, or npos.
    const auto closedAt = [&](std::size_t from, std::string_view closer) {
        const std::size_t end = text.find(closer, from);
        return end == std::string_view::npos ? end : end + closer.size();
    };
    std::size_t i = 0;
    while (i < n) {
        switch (state) {
        case CodeState::Code: {
            i = skipPlainCode(text, i);
            if (i == n)
                return {state, quotes};
            const char c = text[i];
            if (c == '\'') {
                quotes = multiLineOpenerQuotes(text, i);
                if (quotes > 0) {
                    // Only blanks follow the opener; its line break is the
                    // string's.
                    state = CodeState::MultiLineString;
                    i = lineEndFrom(text, i);
                    break;
                }
                state = CodeState::String;
            } else if (c == '{') {
                state = at(i + 1) == '$' ? CodeState::BraceDirective : CodeState::BraceComment;
            } else if (c == '(' && at(i + 1) == '*') {
                // "(*)" opens a comment: its "*" closes nothing.
                state = at(i + 2) == '$' ? CodeState::ParenDirective : CodeState::ParenComment;
                i += state == CodeState::ParenDirective ? 2 : 1;
            } else if (c == '/' && at(i + 1) == '/') {
                i = lineEndFrom(text, i + 2); // its break, if any, is code again
            }
            ++i;
            break;
        }
        case CodeState::MultiLineString: {
            // Here a line starts: as many quotes as opened the string close
            // it; any other line is the string's, with its break.
            const std::size_t end = lineEndFrom(text, i);
            const std::size_t closed = multiLineCloserEnd(text.substr(i, end - i), quotes);
            if (closed != std::string_view::npos) {
                state = CodeState::Code;
                quotes = 0;
                i += closed;
                break;
            }
            i = end < n ? afterBreak(text, end) : n;
            break;
        }
        case CodeState::String:
            if (text[i] == '\'') {
                if (at(i + 1) == '\'')
                    ++i; // a doubled quote stays in the string
                else
                    state = CodeState::Code;
            } else if (isBreak(text[i])) {
                state = CodeState::Code;
            }
            ++i;
            break;
        default: {
            const bool brace =
                state == CodeState::BraceComment || state == CodeState::BraceDirective;
            i = closedAt(i, brace ? "}" : "*)");
            if (i == std::string_view::npos)
                return {state, quotes};
            state = CodeState::Code;
            break;
        }
        }
    }
    return {state, quotes};
}

std::string describeCodeMismatch(const CodeMismatch& m) {
    std::string text = "the code differs at line " + std::to_string(m.afterLine);
    text += " (output: \"" + m.afterExcerpt + "\", input line " + std::to_string(m.beforeLine) +
            ": \"" + m.beforeExcerpt + "\")";
    return text;
}

} // namespace qw
