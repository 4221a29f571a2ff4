#pragma once

#include "schema/HeaderLayout.h"
#include "schema/HeaderMatching.h"

namespace qw {

class HeaderHost;

// Brings an existing header up to date in place, top-down: fixed lines are
// rewritten when they differ, free lines keep what the user typed, the runs
// found by the matching are stepped over where they were found, and a new
// update line goes in above the newest existing one. Returns the index of
// that new line, or -1 when none was inserted.
int updateHeaderInPlace(HeaderHost& pass, const HeaderLayout& layout, HeaderMatch& match);

} // namespace qw
