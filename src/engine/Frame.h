#pragma once

#include <cstdint>
#include <string>

#include "schema/UpdateRecord.h"

namespace qw {

// A frame of an open block: the text that the comments behind its begin and
// end carry, and the block depth at which it was opened. A routine's frame
// carries the routine's name and the update record that its end settles.
struct Frame {
    enum class Kind : std::uint8_t {
        Block,
        Routine,
        // A routine frame that a rule gave up as it gives up a block's: its
        // record stays behind, for the end of the next frame closed above it
        // (or the end of the pass) to settle. It is no frame to comment.
        LeftRecord,
    };

    Kind kind = Kind::Block;
    std::string text;
    int depth = 0;
    UpdateRecord record; // not for blocks

    bool carriesRecord() const { return kind != Kind::Block; }
    bool isOpen() const { return kind != Kind::LeftRecord; }
};

} // namespace qw
