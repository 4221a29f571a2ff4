// The pass in clean mode: the same scanner, removing comments as it goes.
#include "engine/ResultEditor.h"
#include "engine/SourcePassImpl.h"
#include "engine/Text.h"
#include "engine/TokenJoining.h"

namespace qw {
// Callers keep a compiler directive themselves: it is code.
void SourcePass::Impl::removeComment(std::size_t from, std::size_t count) {
    s_.line.erase(from, count);
}

// Removes the comment's text from `from` through its closer at once (to the
// end of the line when it does not close there), as the scanner would one
// character at a time.
void SourcePass::Impl::removeCommentThrough(std::size_t from, std::string_view closer) {
    const std::size_t close = s_.line.find(closer, from);
    removeComment(from, close == std::string::npos ? close : close - from + closer.size());
    --s_.scanPos;
    if (close != std::string::npos) {
        s_.scanState = 0;
        closeCleanedComment();
    }
}

// The comment just removed ended on the line where it began: make sure the
// text on its two sides does not run together into another token.
void SourcePass::Impl::closeCleanedComment() {
    const int start = cleanCommentStart_;
    cleanCommentStart_ = -1;
    if (keepingDirective_) {
        keepingDirective_ = false;
        return;
    }
    const std::size_t at = static_cast<std::size_t>(start);
    if (start <= 0 || at >= s_.line.size())
        return;
    if (separatorMatters(s_.line[at - 1], s_.line[at])) {
        s_.line.insert(s_.line.begin() + static_cast<std::ptrdiff_t>(at), ' ');
        ++s_.scanPos; // step over the blank
    }
}

void SourcePass::Impl::scanLineCleaning() {
    std::string& line = s_.line;
    cleanCommentStart_ = -1;
    while (s_.scanPos >= 1 && s_.scanPos <= static_cast<int>(line.size())) {
        if (s_.scanState == 4 && !closesMultiLineString())
            break; // the whole line is text
        const std::size_t i = static_cast<std::size_t>(s_.scanPos - 1);
        const char c = line[i];
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        switch (s_.scanState) {
        case 0:
            if (c == '\'') {
                if (opensMultiLineString(i))
                    s_.scanPos = static_cast<int>(line.size());
                else
                    s_.scanState = 1;
            } else if (c == '{') {
                s_.scanState = 2;
                keepingDirective_ = next == '$';
                cleanCommentStart_ = static_cast<int>(i);
                if (!keepingDirective_) {
                    removeComment(i, 1);
                    --s_.scanPos;
                }
            } else if (c == '(' && next == '*') {
                s_.scanState = 3;
                keepingDirective_ = i + 2 < line.size() && line[i + 2] == '$';
                cleanCommentStart_ = static_cast<int>(i);
                if (keepingDirective_) {
                    ++s_.scanPos;
                } else {
                    removeComment(i, 2);
                    --s_.scanPos;
                }
            } else if (c == '/' && next == '/') {
                line.erase(i);
            }
            break;
        case 1:
            if (c == '\'') {
                if (next == '\'')
                    ++s_.scanPos;
                else
                    s_.scanState = 0;
            }
            break;
        case 2:
            if (!keepingDirective_) {
                removeCommentThrough(i, "}");
                break;
            }
            if (c == '}') {
                s_.scanState = 0;
                closeCleanedComment();
            }
            break;
        default:
            if (!keepingDirective_) {
                removeCommentThrough(i, "*)");
                break;
            }
            if (c == '*' && next == ')') {
                s_.scanState = 0;
                ++s_.scanPos;
                closeCleanedComment();
            }
            break;
        }
        ++s_.scanPos;
    }
}

void SourcePass::Impl::writeOrDrop() {
    std::string& line = s_.line;
    if (s_.scanState == 4) {
        editor_.append(line); // text of a multi-line string, blanks and all
        return;
    }
    line.resize(trimRight(line).size());
    const bool insideComment = (s_.scanState == 2 || s_.scanState == 3) && !keepingDirective_;
    if (insideComment && line.empty()) {
        ++progress_.commentCount;
    } else if (static_cast<int>(line.size()) == s_.origLineLen || !line.empty()) {
        editor_.append(line);
    } else {
        ++progress_.commentCount;
    }
}

} // namespace qw
