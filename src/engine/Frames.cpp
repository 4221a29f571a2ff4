// Frames of open blocks and the comments behind their begin and end.
#include "engine/SourcePassImpl.h"
#include "text/ByteRuns.h"
#include "text/ResultEditor.h"
#include "text/Text.h"

namespace qw {

void SourcePass::Impl::pushFrame(std::string text) {
    s_.frames.push_back({Frame::Kind::Block, std::move(text), s_.blockDepth, {}});
}

// A frame named by the whole line, as the line of a case or a type is. A
// line that also closes a frame carries that frame's end comment from an
// earlier run; the name leaves it out, or every run would name the frame anew
// and its end would take one comment more.
void SourcePass::Impl::pushFrameOfLine() {
    std::string_view line = trimRight(s_.line);
    if (!endCommentsOnLine_.empty() && line.ends_with(endCommentsOnLine_))
        line.remove_suffix(endCommentsOnLine_.size());
    pushFrame(std::string(trim(line)));
}

// Removing a frame cannot fail here, so the pass never needs the "Error
// deleting a frame." question. A routine frame given up this way leaves its
// update record behind.
void SourcePass::Impl::deleteFrame() {
    if (!openFrameOnTop())
        return;
    Frame& top = s_.frames.back();
    if (top.kind == Frame::Kind::Routine)
        top.kind = Frame::Kind::LeftRecord;
    else
        s_.frames.pop_back();
}

// The frame on top belongs to a routine whose heading has just ended: its body
// has not begun yet, since a begin would have raised the depth.
bool SourcePass::Impl::routineFrameWaitsForBody() const {
    return topFrameAtThisDepth() && s_.frames.back().kind == Frame::Kind::Routine;
}

// The update records of the routines whose ends are still to come, bottom
// first.
PendingRecords SourcePass::Impl::pendingRecords() {
    PendingRecords records;
    records.reserve(s_.frames.size());
    for (Frame& frame : s_.frames)
        if (frame.carriesRecord())
            records.push_back(&frame.record);
    return records;
}

// A routine ends at its end, or at "forward" or "external" without a body.
void SourcePass::Impl::finishRoutine(const UpdateRecord& record) {
    const bool hasBody = tokenLower() != "forward" && tokenLower() != "external";
    try {
        headerStep_.finishUpdate(record, {hasBody, s_.lineChecksum}, *this, pendingRecords());
    } catch (...) {
        requestAbort();
    }
    --s_.routineLevel;
}

// At the end of the pass: the routines whose ends did not come get their
// update lines settled, innermost first.
void SourcePass::Impl::settleUnfinishedRoutines() {
    while (!s_.frames.empty()) {
        const Frame frame = std::move(s_.frames.back());
        s_.frames.pop_back();
        if (!frame.carriesRecord())
            continue;
        try {
            headerStep_.settleUnfinished(frame.record, *this, pendingRecords());
        } catch (...) {
            requestAbort();
        }
    }
}

// The comment behind a begin or end for a frame's text, in the chosen style.
// Built in a buffer kept from frame to frame: a unit closes thousands.
const std::string& SourcePass::Impl::endComment(const std::string& text) {
    std::string& comment = endComment_;
    comment.clear();
    switch (options_.style) {
    case EndCommentStyle::Line:
        comment.append(" // ").append(text);
        break;
    case EndCommentStyle::Brace:
        comment.append(" { ").append(text).append(" }");
        break;
    case EndCommentStyle::Paren:
        comment.append(" (* ").append(text).append(" *)");
        break;
    case EndCommentStyle::None:
        break;
    }
    return comment;
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

// The language's state in the scanner's terms: a directive or a multi-line
// string counts as a string, inside which nothing may be appended.
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
    const std::string& text = s_.frames.back().text;
    if (s_.line.find(text) != std::string::npos) {
        // An earlier run's comment, or the line's own words: only the first
        // is left out of a frame named by the line.
        const std::string& comment = endComment(text);
        if (s_.line.find(comment) != std::string::npos)
            endCommentsOnLine_ += comment;
        return; // the line already names the block
    }
    // A comment that would end early or stay open is not written: the line
    // ends inside a string, or the comment holds the closer of the comment
    // the line ends in (a "}" in a line comment behind an open "{" closes
    // that "{"), or its own closer before its end.
    // The scanner's reading and the language's must both agree: where they
    // differ (a quote in a uses clause) the language decides what is code.
    const std::string& comment = endComment(text);
    if (!closesWhereItEnds(comment, scanStateAtLineEnd()) ||
        !closesWhereItEnds(comment, scannerStateOf(codeStateAtLineEnd())))
        return;
    const int last = editor_.count() - 1;
    const int column = static_cast<int>(editor_.line(last).size());
    countAppendedInChecksum(editor_.line(last), comment);
    lineWithComment_.assign(editor_.line(last)).append(comment);
    editor_.replace(last, lineWithComment_);
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
    if (checksumResetOnLine_ || !sumsBodies_)
        return;
    addToChecksum(byteSum(line.substr(trimRight(line).size())) + byteSum(comment));
}

void SourcePass::Impl::beginBlock() {
    if (!topFrameAtThisDepth())
        return;
    if (s_.frames.back().text.find(' ') == std::string::npos)
        resetChecksum();
    writeBlockComment();
}

void SourcePass::Impl::assemblerBody() {
    if (!openFrameOnTop())
        return;
    if (s_.frames.back().text.find(' ') == std::string::npos)
        resetChecksum();
    writeBlockComment();
}

// Closing a block frame right above a record left behind finishes that
// record as the routine's end.
void SourcePass::Impl::closeFrame() {
    if (!topFrameAtThisDepth())
        return;
    writeBlockComment();
    const Frame closed = std::move(s_.frames.back());
    s_.frames.pop_back();
    if (closed.kind == Frame::Kind::Routine) {
        finishRoutine(closed.record);
    } else if (!s_.frames.empty() && s_.frames.back().kind == Frame::Kind::LeftRecord) {
        const UpdateRecord left = s_.frames.back().record;
        s_.frames.pop_back();
        finishRoutine(left);
    }
}

} // namespace qw
