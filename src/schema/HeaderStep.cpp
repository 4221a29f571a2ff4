#include "schema/HeaderStep.h"

#include "engine/CodeKeepingChanges.h"
#include "engine/PassServices.h"
#include "engine/PassState.h"
#include "engine/ResultEditor.h"
#include "schema/HeaderExpansion.h"
#include "schema/HeaderLayout.h"
#include "schema/HeaderMatching.h"
#include "schema/HeaderText.h"
#include "schema/HeaderUpdate.h"
#include "schema/HeadingLine.h"
#include "schema/UpdateRecord.h"
#include "schema/UpdateSettlement.h"
#include "schema/WholeHeader.h"

namespace qw {

HeaderStep::HeaderStep(const Schema& schema, std::string coderName, Clock* clock)
    : schema_(schema), coderName_(std::move(coderName)), clock_(clock) {}

// The last column of the update line's label: the indentation plus the
// column before "%Update%"; without that literal text no label is blanked.
static int labelEndColumn(const std::string& updateSchemaLine, int indent) {
    return indent + header_text::positionOf(updateSchemaLine, "%Update%") - 1;
}

namespace {

// Passes everything on to the pass and counts the comments marked, so that a
// placement that is taken back can take its comments back too.
class CountingServices final : public PassServices {
public:
    explicit CountingServices(PassServices& pass) : pass_(pass) {}
    PassState& state() override { return pass_.state(); }
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
    int strToIntOrAbort(std::string_view text) override { return pass_.strToIntOrAbort(text); }
    void shiftLines(int fromLine) override { pass_.shiftLines(fromLine); }

    void uncountAll() {
        while (counted_ > 0)
            uncountComment();
    }

private:
    PassServices& pass_;
    int counted_ = 0;
};

} // namespace

void HeaderStep::placeHeader(PassServices& pass, const std::vector<std::size_t>& pendingRecords) {
    PassState& s = pass.state();
    const ExpandedHeader header =
        expandHeader(schema_, {s.routineName, s.resultType, s.paramText, coderName_}, clock_);
    const HeaderLayout layout{schema_, header, s.declColumn};
    ResultEditor& editor = pass.editor();
    const int heading = findHeadingLine(editor);
    const int linesBefore = editor.count();

    // An existing header is updated in place only where that keeps the code:
    // text above a heading that merely looks like a header (a comment opened
    // on a header line and closed lines further down, with code between) is
    // left as it was and a whole header goes in.
    CountingServices counting(pass);
    editor.startRecording();
    std::string record = placeOrUpdate(counting, layout, heading);
    if (!recordedChangesKeepCode(editor, heading + editor.count() - linesBefore)) {
        editor.takeBackRecorded();
        counting.uncountAll();
        editor.startRecording();
        record = insertWhole(counting, layout, heading);
        // A whole header can change the code too: its closer ends a comment
        // that the language (not the scanner) reads as open above the
        // heading. Then no header goes in.
        if (!recordedChangesKeepCode(editor, heading + editor.count() - linesBefore)) {
            editor.takeBackRecorded();
            counting.uncountAll();
            editor.startRecording();
            record = UpdateRecord::untracked();
        }
    }
    // The heading found need not lie below the update lines that open
    // routines still wait to settle (a heading whose keyword the search does
    // not see finds one further up): those lines move with the edits, and one
    // that this header took over or removed is no longer theirs to settle.
    for (const std::size_t at : pendingRecords) {
        if (at >= s.frameStack.size())
            continue;
        std::string moved = UpdateRecord::movedBy(s.frameStack[at], editor);
        if (UpdateRecord::sameLine(moved, record))
            moved = UpdateRecord::untracked(); // taken over as this header's update line
        s.frameStack[at] = std::move(moved);
    }
    editor.stopRecording();
    s.frameStack.push_back(std::move(record));
    s.frameStack.push_back(s.routineName);
    s.frameStack.push_back(std::to_string(s.blockDepth));
}

std::string HeaderStep::insertWhole(PassServices& pass, const HeaderLayout& layout,
                                    int headingLine) const {
    const int q = insertWholeHeader(pass, layout, headingLine);
    return layout.trackedUpdate() >= 0 && q >= 0 ? UpdateRecord::forInsertedHeader(q)
                                                 : UpdateRecord::untracked();
}

std::string HeaderStep::placeOrUpdate(PassServices& pass, const HeaderLayout& layout,
                                      int headingLine) const {
    HeaderMatch match = matchExistingHeader(pass.editor(), layout, headingLine);
    if (match.insertWhole)
        return insertWhole(pass, layout, match.headingLine);
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
void HeaderStep::finishUpdate(const std::string& record, PassServices& pass,
                              const std::vector<std::size_t>& pendingRecords) {
    const PassState& s = pass.state();
    const bool bodiless = s.tokenLower == "forward" || s.tokenLower == "external";
    settle(record, bodiless ? 0 : s.lineChecksum, pass, pendingRecords);
}

// Its body, if any, lies where the pass does not read it (an included file,
// say), so it is settled as a routine without a body: the update line gets
// the checksum of an empty body, and a later run that again sees no end finds
// it unchanged. No placeholder is left in the text. Only a line that this
// pass wrote as a header line, or that still holds the placeholder, is taken
// for the update line: anything else is code.
void HeaderStep::settleUnfinished(const std::string& record, PassServices& pass,
                                  const std::vector<std::size_t>& pendingRecords) {
    const std::optional<UpdateRecord> parsed = UpdateRecord::parse(record, pass);
    const ResultEditor& editor = pass.editor();
    if (!parsed || parsed->line < 0 || parsed->line >= editor.count())
        return;
    if (!editor.isMarked(parsed->line, 0) &&
        editor.line(parsed->line).find("%Crc") == std::string::npos)
        return;
    settle(record, 0, pass, pendingRecords);
}

// Settling takes the new update line out again when the body is unchanged;
// the update lines of routines still open move with that edit.
void HeaderStep::settle(const std::string& record, int checksum, PassServices& pass,
                        const std::vector<std::size_t>& pendingRecords) {
    if (pendingRecords.empty()) {
        settleUpdateLine(record, checksum, pass);
        return;
    }
    ResultEditor& editor = pass.editor();
    PassState& s = pass.state();
    editor.startRecording();
    settleUpdateLine(record, checksum, pass);
    for (const std::size_t at : pendingRecords)
        if (at < s.frameStack.size())
            s.frameStack[at] = UpdateRecord::movedBy(s.frameStack[at], editor);
    editor.stopRecording();
}

} // namespace qw
