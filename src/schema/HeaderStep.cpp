#include "schema/HeaderStep.h"

#include "schema/HeaderExpansion.h"
#include "schema/HeaderHost.h"
#include "schema/HeaderLayout.h"
#include "schema/HeaderMatching.h"
#include "schema/HeaderText.h"
#include "schema/HeaderUpdate.h"
#include "schema/HeadingLine.h"
#include "schema/RoutineHeading.h"
#include "schema/UpdateSettlement.h"
#include "schema/WholeHeader.h"
#include "text/CodeKeepingChanges.h"
#include "text/ResultEditor.h"

namespace qw {

HeaderStep::HeaderStep(const Schema& schema, std::string coderName, Clock* clock)
    : schema_(schema), placeholders_(schema), coderName_(std::move(coderName)), clock_(clock) {}

// The last column of the update line's label: the indentation plus the
// column before "%Update%"; without that literal text no label is blanked.
static int labelEndColumn(const std::string& updateSchemaLine, int indent) {
    return indent + header_text::positionOf(updateSchemaLine, "%Update%") - 1;
}

namespace {

// Passes everything on to the pass and counts the comments marked, so that a
// placement that is taken back can take its comments back too.
class CountingHost final : public HeaderHost {
public:
    explicit CountingHost(HeaderHost& pass) : pass_(pass) {}
    ResultEditor& editor() override { return pass_.editor(); }
    void markCommentLines(int from, int to) override {
        ++counted_;
        pass_.markCommentLines(from, to);
    }
    void markComment(int line, int column, int length) override {
        ++counted_;
        pass_.markComment(line, column, length);
    }
    void uncountComment() override {
        --counted_;
        pass_.uncountComment();
    }
    void shiftLines(int fromLine) override { pass_.shiftLines(fromLine); }

    void uncountAll() {
        while (counted_ > 0)
            uncountComment();
    }

private:
    HeaderHost& pass_;
    int counted_ = 0;
};

// A record moved through the recorded edits, where `top` is the first line
// they touched. A line above it stays, as most do: a file of declarations
// without bodies keeps a record waiting for each routine, and walking the
// edits for every one of them made the step grow with the square of their
// number.
UpdateRecord movedByRecorded(const UpdateRecord& record, const ResultEditor& editor, int top) {
    return record.line < top ? record : record.movedBy(editor);
}

} // namespace

UpdateRecord HeaderStep::placeHeader(const RoutineHeading& heading, HeaderHost& pass,
                                     const PendingRecords& pending) {
    ResultEditor& editor = pass.editor();
    const int headingLine = findHeadingLine(editor);
    const int linesBefore = editor.count();
    if (sharesHeadedLine(heading, editor, headingLine))
        return UpdateRecord::untracked();
    // A schema of no lines (end comments only) gives every routine an empty
    // header, which changes no line and tracks no update.
    if (schema_.empty()) {
        lastHeaded_ = {heading.sourceLine, linesBefore - headingLine};
        return UpdateRecord::untracked();
    }
    const ExpandedHeader header =
        expandHeader(schema_, placeholders_,
                     {heading.name, heading.resultType, heading.paramText, coderName_}, clock_);
    const HeaderLayout layout{schema_, header, heading.column};

    // An existing header is updated in place only where that keeps the code:
    // text above a heading that merely looks like a header (a comment opened
    // on a header line and closed lines further down, with code between) is
    // left as it was and a whole header goes in.
    CountingHost counting(pass);
    bool headed = true;
    editor.startRecording();
    UpdateRecord record = placeOrUpdate(counting, layout, headingLine);
    if (!recordedChangesKeepCode(editor, headingLine + editor.count() - linesBefore)) {
        editor.takeBackRecorded();
        counting.uncountAll();
        editor.startRecording();
        record = insertWhole(counting, layout, headingLine);
        // A whole header can change the code too: its closer ends a comment
        // that the language (not the scanner) reads as open above the
        // heading. Then no header goes in.
        if (!recordedChangesKeepCode(editor, headingLine + editor.count() - linesBefore)) {
            editor.takeBackRecorded();
            counting.uncountAll();
            editor.startRecording();
            record = UpdateRecord::untracked();
            headed = false;
        }
    }
    if (headed)
        lastHeaded_ = {heading.sourceLine, linesBefore - headingLine};
    // The heading found need not lie below the update lines that open
    // routines still wait to settle (a heading whose keyword the search does
    // not see finds one further up): those lines move with the edits, and one
    // that this header took over or removed is no longer theirs to settle.
    const int top = editor.recordedTop();
    for (UpdateRecord* other : pending) {
        UpdateRecord moved = movedByRecorded(*other, editor, top);
        if (moved.sameLine(record))
            moved = UpdateRecord::untracked(); // taken over as this header's update line
        *other = moved;
    }
    editor.stopRecording();
    return record;
}

// A second routine heading on the line of one that got its header gets none:
// its header would stand between the first header and the line, so that the
// next run found neither and put both in again.
bool HeaderStep::sharesHeadedLine(const RoutineHeading& heading, const ResultEditor& editor,
                                  int headingLine) const {
    if (heading.sourceLine < 0 || lastHeaded_.sourceLine < 0)
        return false;
    const int linesReadSince = heading.sourceLine - lastHeaded_.sourceLine;
    return editor.count() - headingLine == lastHeaded_.fromEnd + linesReadSince;
}

UpdateRecord HeaderStep::insertWhole(HeaderHost& pass, const HeaderLayout& layout,
                                     int headingLine) const {
    const int q = insertWholeHeader(pass, layout, headingLine);
    return layout.trackedUpdate() >= 0 && q >= 0 ? UpdateRecord::forInsertedHeader(q)
                                                 : UpdateRecord::untracked();
}

UpdateRecord HeaderStep::placeOrUpdate(HeaderHost& pass, const HeaderLayout& layout,
                                       int headingLine) const {
    ResultEditor& editor = pass.editor();
    HeaderMatch match = matchExistingHeader(editor, layout, headingLine);
    if (match.insertWhole) {
        // No header was found to update: the lines the matching took for its
        // old parameter continuation lines and deleted on the way are the
        // user's text, and stay.
        if (match.headingLine != headingLine) {
            editor.takeBackRecorded();
            editor.startRecording();
        }
        return insertWhole(pass, layout, headingLine);
    }
    const int q = updateHeaderInPlace(pass, layout, match);
    const int u = layout.trackedUpdate();
    if (u < 0)
        return UpdateRecord::untracked();
    return UpdateRecord::forUpdatedHeader(
        q, labelEndColumn(schema_.lines[static_cast<std::size_t>(u)], layout.indent),
        layout.indent);
}

// A routine that ends at "forward" or "external" has no body: its checksum is
// that of an empty body. The running checksum at that point covers whatever
// came before, its own header included, and would record a change on every
// run.
void HeaderStep::finishUpdate(const UpdateRecord& record, RoutineEnd end, HeaderHost& pass,
                              const PendingRecords& pending) {
    settle(record, end.hasBody ? end.bodyChecksum : 0, pass, pending);
}

// Its body, if any, lies where the pass does not read it (an included file,
// say), so it is settled as a routine without a body: the update line gets
// the checksum of an empty body, and a later run that again sees no end finds
// it unchanged. No placeholder is left in the text. Only a line that this
// pass wrote as a header line, or that still holds the placeholder, is taken
// for the update line: anything else is code.
void HeaderStep::settleUnfinished(const UpdateRecord& record, HeaderHost& pass,
                                  const PendingRecords& pending) {
    const ResultEditor& editor = pass.editor();
    if (!record.tracked() || record.line >= editor.count())
        return;
    if (!editor.isMarked(record.line, 0) &&
        editor.line(record.line).find("%Crc") == std::string::npos)
        return;
    settle(record, 0, pass, pending);
}

// Settling takes the new update line out again when the body is unchanged;
// the update lines of routines still open move with that edit.
void HeaderStep::settle(const UpdateRecord& record, int checksum, HeaderHost& pass,
                        const PendingRecords& pending) {
    if (pending.empty()) {
        settleUpdateLine(record, checksum, pass);
        return;
    }
    ResultEditor& editor = pass.editor();
    editor.startRecording();
    settleUpdateLine(record, checksum, pass);
    const int top = editor.recordedTop();
    for (UpdateRecord* other : pending)
        *other = movedByRecorded(*other, editor, top);
    editor.stopRecording();
}

} // namespace qw
