#pragma once

namespace qw {

class ResultEditor;

// The line of the routine heading whose header is placed: going up from the
// last line, the first whose lower-case text, with a blank on each side,
// holds " procedure ", " constructor ", " destructor " or " function ". Line 0
// is never examined; when nothing above it matches the heading line is 0.
int findHeadingLine(const ResultEditor& editor);

} // namespace qw
