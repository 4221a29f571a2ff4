#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qw {

// For every lower-case name, the newest symbol that bears it; each symbol
// links to the one that bore its name before it. A use can only go to the
// newest symbol of its name, since the backward walk stops at the first match.
class NameIndex {
public:
    // Symbol `index`, newer than every other, is called `lowerName`.
    void add(std::string_view lowerName, int index);
    // The newest symbol, `index`, is renamed from `oldLowerName`.
    void rename(int index, std::string_view oldLowerName, std::string_view newLowerName);
    // The newest symbol called `lowerName`, or -1.
    int newest(std::string_view lowerName) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, int, Hash, std::equal_to<>> newest_;
    std::vector<int> olderNamesake_; // per symbol: the previous bearer of its name, or -1
};

} // namespace qw
