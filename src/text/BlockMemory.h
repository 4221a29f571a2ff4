#pragma once

#include <cstddef>

namespace qw {

// Where the result editor takes the memory for its line bytes and its list
// of lines. A file of millions of lines fills hundreds of megabytes, and the
// page faults of touching it the first time cost as much as the pass itself,
// so a platform may hand out large blocks that fault far less often.
class BlockMemory {
public:
    virtual ~BlockMemory() = default;
    // Throws std::bad_alloc when there is no memory.
    virtual void* take(std::size_t size) = 0;
    // `size` is the one the block was taken with.
    virtual void give(void* block, std::size_t size) noexcept = 0;
};

// The heap, for every size.
BlockMemory& heapBlockMemory();

} // namespace qw
