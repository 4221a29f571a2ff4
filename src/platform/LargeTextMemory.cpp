#include "platform/LargeTextMemory.h"

#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace qw {
namespace {

#ifdef __linux__
constexpr std::size_t kHugePage = std::size_t{2} << 20;

constexpr std::size_t wholeHugePages(std::size_t size) {
    return (size + kHugePage - 1) / kHugePage * kHugePage;
}

class HugePageMemory final : public BlockMemory {
public:
    void* take(std::size_t size) override {
        if (size < kHugePage)
            return ::operator new(size);
        const std::size_t whole = wholeHugePages(size);
        void* block = std::aligned_alloc(kHugePage, whole);
        if (!block)
            throw std::bad_alloc();
        // Only advice: without it the block is ordinary memory.
        (void)madvise(block, whole, MADV_HUGEPAGE);
        return block;
    }
    void give(void* block, std::size_t size) noexcept override {
        if (size < kHugePage)
            ::operator delete(block);
        else
            std::free(block);
    }
};
#endif

} // namespace

BlockMemory& largeTextMemory() {
#ifdef __linux__
    static HugePageMemory memory; // holds no state
    return memory;
#else
    return heapBlockMemory();
#endif
}

} // namespace qw
