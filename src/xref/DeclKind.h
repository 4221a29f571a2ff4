#pragma once

#include <cstdint>

namespace qw {

// Declaration kinds of the pass; the cross-reference stores the same codes.
enum DeclKind : std::uint8_t {
    d_none = 0,
    d_func = 1,
    d_proc = 2,
    d_type = 3,
    d_case = 4,
    d_class = 5,
    d_var = 6,
    d_const = 7,
    d_record = 8,
};

const char* declKindName(std::uint8_t kind); // "d_none" ... "d_record"

} // namespace qw
