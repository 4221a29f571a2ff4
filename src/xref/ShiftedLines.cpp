#include "xref/ShiftedLines.h"

#include <utility>

namespace qw {

std::uint32_t ShiftedLines::nextPriority() {
    seed_ ^= seed_ << 13;
    seed_ ^= seed_ >> 17;
    seed_ ^= seed_ << 5;
    return seed_;
}

void ShiftedLines::pushDown(int t) {
    Node& n = nodes_[t];
    if (n.pending == 0)
        return;
    for (int child : {n.left, n.right}) {
        if (child != kNone) {
            nodes_[child].value += n.pending;
            nodes_[child].pending += n.pending;
        }
    }
    n.pending = 0;
}

void ShiftedLines::split(int t, std::int64_t value, int& below, int& atOrAbove) {
    if (t == kNone) {
        below = atOrAbove = kNone;
        return;
    }
    pushDown(t);
    if (nodes_[t].value < value) {
        split(nodes_[t].right, value, nodes_[t].right, atOrAbove);
        below = t;
    } else {
        split(nodes_[t].left, value, below, nodes_[t].left);
        atOrAbove = t;
    }
}

int ShiftedLines::merge(int a, int b) {
    if (a == kNone)
        return b;
    if (b == kNone)
        return a;
    if (nodes_[a].priority > nodes_[b].priority) {
        pushDown(a);
        nodes_[a].right = merge(nodes_[a].right, b);
        return a;
    }
    pushDown(b);
    nodes_[b].left = merge(a, nodes_[b].left);
    return b;
}

void ShiftedLines::add(std::int64_t line) {
    const int id = size();
    nodes_.push_back({line, 0, nextPriority(), kNone, kNone});
    int below = kNone, atOrAbove = kNone;
    split(root_, line, below, atOrAbove);
    root_ = merge(merge(below, id), atOrAbove);
}

void ShiftedLines::shift(std::int64_t fromLine) {
    int below = kNone, atOrAbove = kNone;
    split(root_, fromLine, below, atOrAbove);
    if (atOrAbove != kNone) {
        nodes_[atOrAbove].value += 1;
        nodes_[atOrAbove].pending += 1;
    }
    root_ = merge(below, atOrAbove);
}

std::vector<std::int64_t> ShiftedLines::values() const {
    std::vector<std::int64_t> out(nodes_.size());
    // In-order walk that carries the pending additions down instead of
    // pushing them into the nodes, so that reading changes nothing.
    std::vector<std::pair<int, std::int64_t>> stack; // node, pending from above
    if (root_ != kNone)
        stack.push_back({root_, 0});
    while (!stack.empty()) {
        auto [t, above] = stack.back();
        stack.pop_back();
        const Node& n = nodes_[t];
        out[t] = n.value + above;
        const std::int64_t forChildren = above + n.pending;
        if (n.left != kNone)
            stack.push_back({n.left, forChildren});
        if (n.right != kNone)
            stack.push_back({n.right, forChildren});
    }
    return out;
}

} // namespace qw
