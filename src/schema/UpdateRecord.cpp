#include "schema/UpdateRecord.h"

#include <algorithm>

#include "text/ResultEditor.h"

namespace qw {

UpdateRecord UpdateRecord::forUpdatedHeader(int line, int labelEnd, int indent) {
    return {line, labelEnd, std::max(indent, 0)};
}

UpdateRecord UpdateRecord::movedBy(const ResultEditor& editor) const {
    if (!tracked())
        return *this;
    const std::optional<int> moved = editor.recordedMove(line);
    if (!moved)
        return untracked();
    UpdateRecord out = *this;
    out.line = *moved;
    return out;
}

} // namespace qw
