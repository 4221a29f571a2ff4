#pragma once

#include <cstddef>
#include <type_traits>

#include "text/BlockMemory.h"

namespace qw {

// A standard allocator over a BlockMemory, so that a container's storage
// comes from where the editor's blocks come from.
template <typename T> class BlockAllocator {
public:
    using value_type = T;
    using propagate_on_container_copy_assignment = std::true_type;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;

    explicit BlockAllocator(BlockMemory& memory) noexcept : memory_(&memory) {}
    template <typename U>
    BlockAllocator(const BlockAllocator<U>& other) noexcept : memory_(&other.memory()) {}

    T* allocate(std::size_t n) { return static_cast<T*>(memory_->take(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { memory_->give(p, n * sizeof(T)); }
    BlockMemory& memory() const noexcept { return *memory_; }

    friend bool operator==(const BlockAllocator& a, const BlockAllocator& b) noexcept {
        return a.memory_ == b.memory_;
    }

private:
    BlockMemory* memory_;
};

} // namespace qw
