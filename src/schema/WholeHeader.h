#pragma once

#include "schema/HeaderLayout.h"

namespace qw {

class HeaderHost;

// Inserts every header line, indented, above the heading line and marks the
// block as one comment. Returns the index of the inserted update line, or -1.
int insertWholeHeader(HeaderHost& pass, const HeaderLayout& layout, int headingLine);

} // namespace qw
