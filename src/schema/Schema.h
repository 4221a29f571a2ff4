#pragma once

#include <string>
#include <vector>

namespace qw {

// A schema in memory: template lines without their markers and one fixed/free
// flag per line.
struct Schema {
    std::vector<std::string> lines;
    std::vector<bool> fixed; // same size as lines

    bool isFixed(std::size_t index) const { return index < fixed.size() && fixed[index]; }
    bool empty() const { return lines.empty(); }
};

} // namespace qw
