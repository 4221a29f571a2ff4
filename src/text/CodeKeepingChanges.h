#pragma once

namespace qw {

class ResultEditor;

// Whether the changes the editor recorded left the code as it was. They must
// all lie above line `last` (an index of the text as it is now), a line that
// begins in code and holds code. The texts compared run from the nearest
// line at or above the first change that begins in code down to `last`, so
// that a change which opens or closes a comment shows in the code around it;
// the unchanged lines below the changes must also begin inside a comment
// where they did, and in code where they did.
bool recordedChangesKeepCode(const ResultEditor& editor, int last);

} // namespace qw
