#include "cli/LineDiff.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace qw::cli {
namespace {

using Index = std::ptrdiff_t;

class Differ {
public:
    Differ(const std::vector<int>& a, const std::vector<int>& b) : a_(a), b_(b) {}

    std::vector<Edit> run() {
        diff(0, static_cast<Index>(a_.size()), 0, static_cast<Index>(b_.size()));
        return std::move(edits_);
    }

private:
    void equal(Index x, Index y) {
        edits_.push_back(
            {EditKind::Equal, static_cast<std::size_t>(x), static_cast<std::size_t>(y)});
    }
    void remove(Index x, Index y) {
        edits_.push_back(
            {EditKind::Delete, static_cast<std::size_t>(x), static_cast<std::size_t>(y)});
    }
    void insert(Index x, Index y) {
        edits_.push_back(
            {EditKind::Insert, static_cast<std::size_t>(x), static_cast<std::size_t>(y)});
    }

    // Edits for a[a0, a1) against b[b0, b1), appended in order.
    void diff(Index a0, Index a1, Index b0, Index b1) {
        Index prefix = 0;
        while (a0 + prefix < a1 && b0 + prefix < b1 && a_[a0 + prefix] == b_[b0 + prefix])
            ++prefix;
        for (Index i = 0; i < prefix; ++i)
            equal(a0 + i, b0 + i);
        a0 += prefix;
        b0 += prefix;
        Index suffix = 0;
        while (a1 - suffix > a0 && b1 - suffix > b0 && a_[a1 - suffix - 1] == b_[b1 - suffix - 1])
            ++suffix;
        a1 -= suffix;
        b1 -= suffix;

        if (a0 == a1) {
            for (Index y = b0; y < b1; ++y)
                insert(a0, y);
        } else if (b0 == b1) {
            for (Index x = a0; x < a1; ++x)
                remove(x, b0);
        } else if (const auto split = middle(a0, a1, b0, b1)) {
            diff(a0, a0 + split->first, b0, b0 + split->second);
            diff(a0 + split->first, a1, b0 + split->second, b1);
        } else {
            for (Index x = a0; x < a1; ++x)
                remove(x, b0);
            for (Index y = b0; y < b1; ++y)
                insert(a1, y);
        }
        for (Index i = 0; i < suffix; ++i)
            equal(a1 + i, b1 + i);
    }

    // The point where a forward and a backward furthest-reaching path meet,
    // relative to (a0, b0); none when the ranges share nothing.
    std::optional<std::pair<Index, Index>> middle(Index a0, Index a1, Index b0, Index b1) {
        const Index n = a1 - a0;
        const Index m = b1 - b0;
        const Index maxD = (n + m + 1) / 2;
        const Index offset = maxD;
        const Index length = 2 * maxD + 2;
        forward_.assign(static_cast<std::size_t>(length), -1);
        backward_.assign(static_cast<std::size_t>(length), -1);
        forward_[static_cast<std::size_t>(offset + 1)] = 0;
        backward_[static_cast<std::size_t>(offset + 1)] = 0;
        const Index delta = n - m;
        const bool front = delta % 2 != 0;
        Index k1start = 0, k1end = 0, k2start = 0, k2end = 0;
        auto at = [](std::vector<Index>& v, Index i) -> Index& {
            return v[static_cast<std::size_t>(i)];
        };
        for (Index d = 0; d < maxD; ++d) {
            for (Index k1 = -d + k1start; k1 <= d - k1end; k1 += 2) {
                const Index k1Offset = offset + k1;
                Index x1 = (k1 == -d ||
                            (k1 != d && at(forward_, k1Offset - 1) < at(forward_, k1Offset + 1)))
                               ? at(forward_, k1Offset + 1)
                               : at(forward_, k1Offset - 1) + 1;
                Index y1 = x1 - k1;
                while (x1 < n && y1 < m && a_[a0 + x1] == b_[b0 + y1])
                    ++x1, ++y1;
                at(forward_, k1Offset) = x1;
                if (x1 > n) {
                    k1end += 2;
                } else if (y1 > m) {
                    k1start += 2;
                } else if (front) {
                    const Index k2Offset = offset + delta - k1;
                    if (k2Offset >= 0 && k2Offset < length && at(backward_, k2Offset) != -1 &&
                        x1 >= n - at(backward_, k2Offset))
                        return std::pair{x1, y1};
                }
            }
            for (Index k2 = -d + k2start; k2 <= d - k2end; k2 += 2) {
                const Index k2Offset = offset + k2;
                Index x2 = (k2 == -d ||
                            (k2 != d && at(backward_, k2Offset - 1) < at(backward_, k2Offset + 1)))
                               ? at(backward_, k2Offset + 1)
                               : at(backward_, k2Offset - 1) + 1;
                Index y2 = x2 - k2;
                while (x2 < n && y2 < m && a_[a1 - x2 - 1] == b_[b1 - y2 - 1])
                    ++x2, ++y2;
                at(backward_, k2Offset) = x2;
                if (x2 > n) {
                    k2end += 2;
                } else if (y2 > m) {
                    k2start += 2;
                } else if (!front) {
                    const Index k1Offset = offset + delta - k2;
                    if (k1Offset >= 0 && k1Offset < length && at(forward_, k1Offset) != -1) {
                        const Index x1 = at(forward_, k1Offset);
                        const Index y1 = offset + x1 - k1Offset;
                        if (x1 >= n - x2)
                            return std::pair{x1, y1};
                    }
                }
            }
        }
        return std::nullopt;
    }

    const std::vector<int>& a_;
    const std::vector<int>& b_;
    std::vector<Edit> edits_;
    std::vector<Index> forward_;
    std::vector<Index> backward_;
};

} // namespace

std::vector<Edit> lineEdits(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<Edit> edits = Differ(a, b).run();
    // Within each change, the removed lines first, as diff tools print them.
    auto isChange = [](const Edit& e) {
        return e.kind != EditKind::Equal;
    };
    for (auto run = edits.begin(); run != edits.end();) {
        run = std::find_if(run, edits.end(), isChange);
        const auto end = std::find_if_not(run, edits.end(), isChange);
        std::stable_partition(run, end, [](const Edit& e) { return e.kind == EditKind::Delete; });
        run = end;
    }
    return edits;
}

} // namespace qw::cli
