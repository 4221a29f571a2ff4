#pragma once

#include <optional>
#include <vector>

namespace qw {

class ResultEditor;

// What the header step leaves with a routine's frame so that the routine's
// end can settle its update line: the line itself and, for a header updated
// in place, where the label of the previous newest update line ends and how
// far the header is indented, so that blanking that label keeps the
// indentation and the opener.
struct UpdateRecord {
    int line = -1;               // negative: nothing to settle
    std::optional<int> labelEnd; // headers updated in place only
    int indent = 0;

    static UpdateRecord untracked() { return {}; }
    static UpdateRecord forInsertedHeader(int line) { return {line, std::nullopt, 0}; }
    static UpdateRecord forUpdatedHeader(int line, int labelEnd, int indent);

    bool tracked() const { return line >= 0; }
    // The record with its line moved through the editor's recorded changes;
    // nothing to settle when they removed or rewrote that line.
    UpdateRecord movedBy(const ResultEditor& editor) const;
    // Whether both records name the same update line.
    bool sameLine(const UpdateRecord& other) const { return tracked() && line == other.line; }

    bool operator==(const UpdateRecord&) const = default;
};

// The update records of the routines whose ends are still to come: their
// lines move with the edits of the header step.
using PendingRecords = std::vector<UpdateRecord*>;

} // namespace qw
