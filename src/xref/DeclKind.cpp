#include "xref/DeclKind.h"

namespace qw {

const char* declKindName(std::uint8_t kind) {
    static const char* const names[] = {"d_none",  "d_func", "d_proc",  "d_type",  "d_case",
                                        "d_class", "d_var",  "d_const", "d_record"};
    return kind < 9 ? names[kind] : "";
}

} // namespace qw
