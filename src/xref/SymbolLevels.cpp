#include "xref/SymbolLevels.h"

namespace qw {

void SymbolLevels::dropBelowOrAt(std::int32_t level) {
    while (!aboveLater_.empty() && aboveLater_.back().level <= level)
        aboveLater_.pop_back();
}

void SymbolLevels::append(std::int32_t level) {
    if (runs_.empty() || runs_.back().level != level)
        runs_.push_back({size_, level});
    dropBelowOrAt(level);
    aboveLater_.push_back({size_, level});
    ++size_;
}

int SymbolLevels::newestAbove(std::int32_t level) const {
    for (auto it = aboveLater_.rbegin(); it != aboveLater_.rend(); ++it)
        if (it->level > level)
            return it->first;
    return -1;
}

void SymbolLevels::raiseTail(int from, std::int32_t level) {
    if (from >= size_)
        return;
    while (!runs_.empty() && runs_.back().first >= from)
        runs_.pop_back();
    if (runs_.empty() || runs_.back().level != level)
        runs_.push_back({from, level});
    // Every symbol at or below `level` now has the newest symbol, at `level`,
    // after it; those above it keep their place.
    dropBelowOrAt(level);
    aboveLater_.push_back({size_ - 1, level});
}

std::vector<std::int32_t> SymbolLevels::values() const {
    std::vector<std::int32_t> out(static_cast<std::size_t>(size_));
    for (std::size_t r = 0; r < runs_.size(); ++r) {
        const int end = r + 1 < runs_.size() ? runs_[r + 1].first : size_;
        for (int i = runs_[r].first; i < end; ++i)
            out[static_cast<std::size_t>(i)] = runs_[r].level;
    }
    return out;
}

} // namespace qw
