#pragma once

#include "text/BlockMemory.h"

namespace qw {

// Memory for the text of a large file: blocks of a huge page or more are
// taken as huge pages where the system offers them, which cuts the page
// faults of holding a file of hundreds of megabytes by hundreds of times.
// Smaller blocks come from the heap, so that a small file never pays for
// clearing a huge page it does not fill.
BlockMemory& largeTextMemory();

} // namespace qw
