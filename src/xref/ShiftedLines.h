#pragma once

#include <cstdint>
#include <vector>

namespace qw {

// Declaration lines that move down by one whenever a line is inserted at or
// above them. A shift never changes the order of the lines it moves, so the
// lines sit in a tree ordered by their current value and a shift adds one to
// a whole subtree at once: adding a line and shifting cost O(log n) however
// many lines are held.
class ShiftedLines {
public:
    // Holds a new line; its id is the number of lines added before it.
    void add(std::int64_t line);
    // Every held line at or below `fromLine` moves down by one.
    void shift(std::int64_t fromLine);
    int size() const { return static_cast<int>(nodes_.size()); }
    // The current value of every line, indexed by id.
    std::vector<std::int64_t> values() const;

private:
    struct Node {
        std::int64_t value;
        std::int64_t pending; // still to be added to both subtrees
        std::uint32_t priority;
        int left;
        int right;
    };
    static constexpr int kNone = -1;

    void pushDown(int t);
    // Splits `t` into the lines below `value` and those at or above it.
    void split(int t, std::int64_t value, int& below, int& atOrAbove);
    int merge(int a, int b);
    std::uint32_t nextPriority();

    std::vector<Node> nodes_;
    int root_ = kNone;
    std::uint32_t seed_ = 2463534242u; // fixed, so that runs are repeatable
};

} // namespace qw
