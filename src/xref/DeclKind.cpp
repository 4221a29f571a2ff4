#include "xref/DeclKind.h"

namespace qw {
namespace {

struct NamedKind {
    std::uint8_t code;
    const char* name;
};

constexpr NamedKind kKinds[] = {
#define QW_DECL_KIND_NAME(name, code) {code, #name},
    QW_DECL_KINDS(QW_DECL_KIND_NAME)
#undef QW_DECL_KIND_NAME
};

} // namespace

const char* declKindName(std::uint8_t kind) {
    for (const NamedKind& k : kKinds)
        if (k.code == kind)
            return k.name;
    return "";
}

} // namespace qw
