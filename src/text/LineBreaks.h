#pragma once

#include <string_view>

namespace qw {

// How the lines of a file ended, so that a save can write them back alike.
struct LineBreaks {
    int crlf = 0;
    int lf = 0;
    int cr = 0;
    bool finalBreak = false; // the last line ended with a line break
    bool byteOrderMark = false;
    // The most frequent one; CR LF when the file has none.
    std::string_view dominant() const;
};

} // namespace qw
