#include "xref/NameIndex.h"

namespace qw {

void NameIndex::add(std::string_view lowerName, int index) {
    olderNamesake_.resize(static_cast<std::size_t>(index) + 1, -1);
    auto it = newest_.find(lowerName);
    if (it == newest_.end()) {
        olderNamesake_[static_cast<std::size_t>(index)] = -1;
        newest_.emplace(std::string(lowerName), index);
    } else {
        olderNamesake_[static_cast<std::size_t>(index)] = it->second;
        it->second = index;
    }
}

void NameIndex::rename(int index, std::string_view oldLowerName, std::string_view newLowerName) {
    auto it = newest_.find(oldLowerName);
    if (it != newest_.end() && it->second == index) {
        const int older = olderNamesake_[static_cast<std::size_t>(index)];
        if (older < 0)
            newest_.erase(it);
        else
            it->second = older;
    }
    add(newLowerName, index);
}

int NameIndex::newest(std::string_view lowerName) const {
    auto it = newest_.find(lowerName);
    return it == newest_.end() ? -1 : it->second;
}

} // namespace qw
