#pragma once

#include <string>
#include <vector>

#include "schema/HeaderLayout.h"

namespace qw {

class ResultEditor;

// A stretch where the existing header differs from the new expansion: the
// existing lines it covers and the schema lines it covers. `topSchemaLine` is
// the first schema line of the stretch, where the in-place update steps over
// it; a history run holds the older update lines under the newest one.
struct HeaderRun {
    int existingLines = 0;
    int schemaLines = 0;
    int topSchemaLine = 0;
    bool history = false;
};

struct HeaderMatch {
    bool insertWhole = true;
    int headingLine = 0;         // moves up with every deleted continuation line
    int firstHeaderLine = -1;    // first line of the existing header (in place only)
    std::vector<HeaderRun> runs; // in the order found, bottom-up
    // By schema line: the continuation lines of a parameter line that the
    // matching removed, top-down, so that the update can tell which of the
    // new ones it writes anew.
    std::vector<std::vector<std::string>> removedContinuations;
};

// Walks up from the line above the heading, comparing the existing lines with
// the new expansion and the schema, bottom to top. Deletes the old
// continuation lines of parameter lines on the way.
HeaderMatch matchExistingHeader(ResultEditor& editor, const HeaderLayout& layout, int headingLine);

} // namespace qw
