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
    int sourceLine = -1;    // the source line on which it ends (1-based; -1: not told)
};

} // namespace qw
