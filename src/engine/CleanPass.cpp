// The pass in clean mode: the same scanner, removing comments as it goes.
#include "engine/ScanStep.h"
#include "engine/SourcePassImpl.h"
#include "text/CodeEquivalence.h"
#include "text/ResultEditor.h"
#include "text/Text.h"
#include "text/TokenJoining.h"

namespace qw {
// Callers keep a compiler directive themselves: it is code.
void SourcePass::Impl::removeComment(std::size_t from, std::size_t count) {
    s_.line.erase(from, count);
}

// Removes the comment's text from `from` through its closer at once (to the
// end of the line when it does not close there), as the scanner would one
// character at a time.
void SourcePass::Impl::removeCommentThrough(std::size_t from) {
    const std::size_t end = readText(s_.line, from, s_.line.size(), s_.scanState);
    removeComment(from, end - from);
    --s_.scanPos;
    if (s_.scanState == ScanState::Code)
        closeCleanedComment();
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
        if (s_.scanState == ScanState::MultiLineString && !closesMultiLineString())
            break; // the whole line is text
        const std::size_t i = static_cast<std::size_t>(s_.scanPos - 1);
        if (i >= line.size())
            break; // the line ended with the closing quotes
        switch (s_.scanState) {
        case ScanState::Code: {
            const std::size_t at = skipPlainCode(line, i);
            s_.scanPos = static_cast<int>(at) + 1;
            if (at < line.size())
                openInCleanedCode(at);
            break;
        }
        case ScanState::String:
            s_.scanPos = static_cast<int>(readText(line, i, line.size(), s_.scanState));
            break;
        default:
            if (!keepingDirective_) {
                removeCommentThrough(i);
                break;
            }
            s_.scanPos = static_cast<int>(readText(line, i, line.size(), s_.scanState));
            if (s_.scanState == ScanState::Code)
                closeCleanedComment();
            break;
        }
        ++s_.scanPos;
    }
}

// What the character at `i` opens, when it is code: a comment is removed
// from its opener on, a compiler directive stays.
void SourcePass::Impl::openInCleanedCode(std::size_t i) {
    std::string& line = s_.line;
    switch (openerAt(line, i)) {
    case Opener::MultiLineString:
        opensMultiLineString(i);
        s_.scanPos = static_cast<int>(line.size());
        break;
    case Opener::String:
        s_.scanState = ScanState::String;
        break;
    case Opener::BraceComment:
        s_.scanState = ScanState::BraceComment;
        keepingDirective_ = i + 1 < line.size() && line[i + 1] == '$';
        cleanCommentStart_ = static_cast<int>(i);
        if (!keepingDirective_) {
            removeComment(i, 1);
            --s_.scanPos;
        }
        break;
    case Opener::ParenComment:
        s_.scanState = ScanState::ParenComment;
        keepingDirective_ = i + 2 < line.size() && line[i + 2] == '$';
        cleanCommentStart_ = static_cast<int>(i);
        if (keepingDirective_) {
            ++s_.scanPos;
        } else {
            removeComment(i, 2);
            --s_.scanPos;
        }
        break;
    case Opener::LineComment:
        line.erase(i);
        break;
    case Opener::None:
        break;
    }
}

// A line that begins in code and holds no opener of a string or comment
// comes out as it was, but for the blanks at its end: it is written from
// where it was read, without the scanner.
void SourcePass::Impl::writePlainLine(std::string_view raw) {
    writeTrimmed(trimRight(raw), static_cast<int>(raw.size()));
    lineWritten_ = true;
}

// A right-trimmed line is written unless trimming left nothing of a line that
// had something: a line of blanks is dropped and counted.
void SourcePass::Impl::writeTrimmed(std::string_view kept, int originalLength) {
    if (static_cast<int>(kept.size()) == originalLength || !kept.empty())
        editor_.append(kept);
    else
        ++progress_.commentCount;
}

void SourcePass::Impl::writeOrDrop() {
    if (lineWritten_) {
        lineWritten_ = false;
        return;
    }
    std::string& line = s_.line;
    if (s_.scanState == ScanState::MultiLineString) {
        editor_.append(line); // text of a multi-line string, blanks and all
        return;
    }
    line.resize(trimRight(line).size());
    const bool insideComment =
        (s_.scanState == ScanState::BraceComment || s_.scanState == ScanState::ParenComment) &&
        !keepingDirective_;
    if (insideComment && line.empty())
        ++progress_.commentCount;
    else
        writeTrimmed(line, s_.origLineLen);
}

} // namespace qw
