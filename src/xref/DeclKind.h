#pragma once

#include <cstdint>

namespace qw {

// Declaration kinds of the pass with their codes; the cross-reference stores
// the same codes. One list gives the enum and the names.
#define QW_DECL_KINDS(X)                                                                           \
    X(d_none, 0)                                                                                   \
    X(d_func, 1)                                                                                   \
    X(d_proc, 2)                                                                                   \
    X(d_type, 3)                                                                                   \
    X(d_case, 4)                                                                                   \
    X(d_class, 5)                                                                                  \
    X(d_var, 6)                                                                                    \
    X(d_const, 7)                                                                                  \
    X(d_record, 8)

enum DeclKind : std::uint8_t {
#define QW_DECL_KIND_VALUE(name, code) name = code,
    QW_DECL_KINDS(QW_DECL_KIND_VALUE)
#undef QW_DECL_KIND_VALUE
};

const char* declKindName(std::uint8_t kind); // "d_none" ... "d_record"; "" for no kind

} // namespace qw
