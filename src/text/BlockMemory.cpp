#include "text/BlockMemory.h"

#include <new>

namespace qw {
namespace {

class HeapBlockMemory final : public BlockMemory {
public:
    void* take(std::size_t size) override { return ::operator new(size); }
    void give(void* block, std::size_t) noexcept override { ::operator delete(block); }
};

} // namespace

BlockMemory& heapBlockMemory() {
    static HeapBlockMemory heap; // holds no state
    return heap;
}

} // namespace qw
