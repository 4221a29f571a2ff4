#pragma once

namespace qw {

class ResultEditor;

// What the header step needs from the pass it runs in: the text being written,
// the marking and counting of the comments it inserts, and the
// cross-reference's line shift.
class HeaderHost {
public:
    virtual ~HeaderHost() = default;
    virtual ResultEditor& editor() = 0;
    // Marks whole lines [from, to) as one inserted comment and counts it.
    virtual void markCommentLines(int from, int to) = 0;
    // Marks part of one line as one inserted comment and counts it.
    virtual void markComment(int line, int column, int length) = 0;
    // An inserted comment was taken back again.
    virtual void uncountComment() = 0;
    // Every declaration line from `fromLine` on moves down by one.
    virtual void shiftLines(int fromLine) = 0;
};

} // namespace qw
