#pragma once

#include <cstddef>
#include <vector>

namespace qw::cli {

enum class EditKind { Equal, Delete, Insert };

// One step of a script that turns sequence a into sequence b.
struct Edit {
    EditKind kind;
    std::size_t a; // index into a (Equal, Delete)
    std::size_t b; // index into b (Equal, Insert)
};

// A shortest edit script between two sequences of line numbers (equal
// numbers stand for equal lines), by Myers' O((N+M)D) algorithm in linear
// space: the middle snake splits the problem in two until one side is empty.
// Deletions come before insertions within a change.
std::vector<Edit> lineEdits(const std::vector<int>& a, const std::vector<int>& b);

} // namespace qw::cli
