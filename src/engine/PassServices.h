#pragma once

#include <string_view>

namespace qw {

class ResultEditor;
struct PassState;

// What the pass offers the steps it calls (the header step, the update step):
// the marking and counting of inserted comments, the checked number
// conversion, and the cross-reference's line shift.
class PassServices {
public:
    virtual ~PassServices() = default;
    virtual PassState& state() = 0;
    virtual ResultEditor& editor() = 0;
    // Marks whole lines [from, to) as one inserted comment and counts it.
    virtual void markCommentLines(int from, int to) = 0;
    // Marks part of one line as one inserted comment and counts it.
    virtual void markComment(int line, int column, int length) = 0;
    // An inserted comment was taken back again.
    virtual void uncountComment() = 0;
    // Decimal text to integer; anything else shows the internal error,
    // requests the abort and gives 0.
    virtual int strToIntOrAbort(std::string_view text) = 0;
    // Every declaration line from `fromLine` on moves down by one.
    virtual void shiftLines(int fromLine) = 0;
};

} // namespace qw
