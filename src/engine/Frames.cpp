// Frames of open blocks and the comments behind their begin and end.
#include "engine/ResultEditor.h"
#include "engine/SourcePassImpl.h"
#include "engine/Text.h"

namespace qw {

void SourcePass::Impl::pushFrame(std::string text) {
    s_.frameStack.push_back(std::move(text));
    s_.frameStack.push_back(std::to_string(s_.blockDepth));
}

// Removing two entries of a vector cannot fail here, so the pass never needs
// the "Error deleting a frame." question.
void SourcePass::Impl::deleteFrame() {
    if (s_.frameStack.size() >= 2) {
        settleRecordsFrom(s_.frameStack.size() - 2);
        s_.frameStack.resize(s_.frameStack.size() - 2);
    }
}

// The update records at or above `size` in FrameStack are about to go: their
// routines' ends will not come, and their update lines are settled now.
void SourcePass::Impl::settleRecordsFrom(std::size_t size) {
    while (!recordAt_.empty() && recordAt_.back() >= size) {
        const std::string record = s_.frameStack[recordAt_.back()];
        recordAt_.pop_back();
        try {
            headerStep_.settleUnfinished(record, *this, recordAt_);
        } catch (...) {
            requestAbort();
        }
    }
}

int SourcePass::Impl::frameDepth() {
    return strToIntOrAbort(s_.frameStack.back());
}

// The frame on top belongs to a routine whose heading has just ended: its body
// has not begun yet, since a begin would have raised the depth.
bool SourcePass::Impl::routineFrameWaitsForBody() const {
    const auto& f = s_.frameStack;
    if (f.size() < 3 || f[f.size() - 3].empty() || f[f.size() - 3][0] != '-')
        return false;
    if (f[f.size() - 2].find(' ') != std::string::npos)
        return false;
    return f.back() == std::to_string(s_.blockDepth);
}

std::string SourcePass::Impl::buildEndComment(const std::string& text) const {
    switch (options_.style) {
    case EndCommentStyle::Line:
        return " // " + text;
    case EndCommentStyle::Brace:
        return " { " + text + " }";
    case EndCommentStyle::Paren:
        return " (* " + text + " *)";
    case EndCommentStyle::None:
        break;
    }
    return {};
}

// Whether `comment`, appended to a line that ends in scanner state `endState`,
// leaves the code as it was: it neither closes the comment the line ends in
// nor closes itself before its end.
bool SourcePass::Impl::closesWhereItEnds(const std::string& comment, ScanState endState) const {
    switch (endState) {
    case ScanState::Code:
        break;
    case ScanState::BraceComment:
        return comment.find('}') == std::string::npos;
    case ScanState::ParenComment:
        return comment.find("*)") == std::string::npos;
    default:
        return false; // inside a string
    }
    switch (options_.style) {
    case EndCommentStyle::Brace:
        return comment.find('}') == comment.size() - 1;
    case EndCommentStyle::Paren:
        return comment.find("*)") == comment.size() - 2;
    default:
        return true;
    }
}

// The language's state in the scanner's terms: a directive counts as a
// string, inside which nothing may be appended.
static ScanState scannerStateOf(CodeState state) {
    switch (state) {
    case CodeState::Code:
        return ScanState::Code;
    case CodeState::BraceComment:
        return ScanState::BraceComment;
    case CodeState::ParenComment:
        return ScanState::ParenComment;
    default:
        return ScanState::String;
    }
}

void SourcePass::Impl::writeBlockComment() {
    if (options_.style == EndCommentStyle::None)
        return;
    const std::string& text = s_.frameStack[s_.frameStack.size() - 2];
    if (s_.line.find(text) != std::string::npos)
        return; // the line already names the block
    // A comment that would end early or stay open is not written: the line
    // ends inside a string, or the comment holds the closer of the comment
    // the line ends in (a "}" in a line comment behind an open "{" closes
    // that "{"), or its own closer before its end.
    // The scanner's reading and the language's must both agree: where they
    // differ (a quote in a uses clause) the language decides what is code.
    const std::string comment = buildEndComment(text);
    if (!closesWhereItEnds(comment, scanStateAtLineEnd()) ||
        !closesWhereItEnds(comment, scannerStateOf(codeStateAtLineEnd())))
        return;
    const int last = editor_.count() - 1;
    const int column = static_cast<int>(editor_.line(last).size());
    countAppendedInChecksum(editor_.line(last), comment);
    editor_.replace(last, std::string(editor_.line(last)) + comment);
    markComment(last, column, static_cast<int>(comment.size()));
}

// The body checksum restarts where a routine's body begins.
void SourcePass::Impl::resetChecksum() {
    s_.lineChecksum = 0;
    checksumResetOnLine_ = true;
}

// A later run reads this line with the comment in it; the checksum takes the
// comment in now, as that run will, so that a body the user did not touch
// keeps its checksum from run to run. On a line where the body began the
// restart discards the line anyway.
void SourcePass::Impl::countAppendedInChecksum(std::string_view line, const std::string& comment) {
    if (checksumResetOnLine_)
        return;
    unsigned sum = 0;
    for (std::size_t i = trimRight(line).size(); i < line.size(); ++i)
        sum += static_cast<unsigned char>(line[i]);
    for (unsigned char c : comment)
        sum += c;
    s_.lineChecksum = static_cast<int>((static_cast<unsigned>(s_.lineChecksum) + sum) & 0xFFu);
}

void SourcePass::Impl::beginBlock() {
    if (s_.frameStack.size() < 2 || frameDepth() != s_.blockDepth)
        return;
    if (s_.frameStack[s_.frameStack.size() - 2].find(' ') == std::string::npos)
        resetChecksum();
    writeBlockComment();
}

void SourcePass::Impl::assemblerBody() {
    if (s_.frameStack.size() < 2)
        return;
    if (s_.frameStack[s_.frameStack.size() - 2].find(' ') == std::string::npos)
        resetChecksum();
    writeBlockComment();
}

void SourcePass::Impl::closeFrame() {
    if (s_.frameStack.size() < 2 || frameDepth() != s_.blockDepth)
        return;
    writeBlockComment();
    deleteFrame();
    if (!recordAt_.empty() && recordAt_.back() + 1 == s_.frameStack.size()) {
        const std::string record = s_.frameStack.back();
        s_.frameStack.pop_back();
        recordAt_.pop_back();
        try {
            headerStep_.finishUpdate(record, *this, recordAt_);
        } catch (...) {
            requestAbort();
        }
        --s_.routineLevel;
    }
}

} // namespace qw
