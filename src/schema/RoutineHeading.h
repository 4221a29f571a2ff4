#pragma once

#include <string>

namespace qw {

// A routine heading as the pass read it, at the ";" that ends it: what the
// header above it is expanded from and where it is placed.
struct RoutineHeading {
    std::string name;
    std::string resultType; // "-" for none
    std::string paramText;  // "-" for none
    int column = 0;         // where the heading's first word stands (0-based)
};

} // namespace qw
