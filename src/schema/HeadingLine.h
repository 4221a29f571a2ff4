#pragma once

#include <string_view>

namespace qw {

class ResultEditor;

// The line of the routine heading whose header is placed: going up from the
// last line, the first whose lower-case text, with a blank on each side,
// holds " procedure ", " constructor ", " destructor " or " function " (tabs
// count as blanks), skipping lines that begin inside a comment of the source.
// Line 0 is never examined; when nothing above it matches the heading line
// is 0.
int findHeadingLine(const ResultEditor& editor);

// A line that begins a routine heading: its first word (after "class") is
// procedure, function, constructor or destructor. Header text begins with a
// comment opener, so a search for a header's lines stops at such a line
// rather than run into the header of the routine above.
bool beginsRoutineHeading(std::string_view line);

} // namespace qw
