#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qw {

// One declaration of the cross-reference.
struct TSymbol {
    std::uint8_t Kind = 0;
    std::string Qualifier;
    std::string Name;
    std::vector<std::int32_t> UseLines;
    std::int32_t Level = 0;
    std::int32_t DeclLine = 0;
};

} // namespace qw
