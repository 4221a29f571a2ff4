#pragma once

#include <cstdint>
#include <vector>

namespace qw {

// The routine levels of the symbols of a list, in list order, for the
// backward walk of a use: the walk raises every symbol it passes to the use's
// level and stops at the newest symbol above that level. So the walk always
// changes a tail of the list to one level; the levels are kept as runs of
// equal level, and the symbols that are above every later one are kept on a
// stack, so that neither finding the stop nor raising a tail visits the
// symbols one by one.
class SymbolLevels {
public:
    void append(std::int32_t level);
    int size() const { return size_; }
    // The newest symbol whose level is above `level`, or -1. Cost: the number
    // of stack entries at or below `level`, which the raise that follows
    // removes.
    int newestAbove(std::int32_t level) const;
    // Sets the symbols from `from` to the newest to `level`; none of them may
    // be above it.
    void raiseTail(int from, std::int32_t level);
    // The level of every symbol, in list order.
    std::vector<std::int32_t> values() const;

private:
    struct Entry {
        int first; // index of the first symbol of a run / of a stack entry's symbol
        std::int32_t level;
    };
    void dropBelowOrAt(std::int32_t level);

    std::vector<Entry> runs_;       // runs of equal level, oldest first
    std::vector<Entry> aboveLater_; // symbols above every later one; levels fall to the top
    int size_ = 0;
};

} // namespace qw
