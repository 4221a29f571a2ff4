#include "schema/HeaderUpdate.h"

#include <algorithm>

#include "schema/HeaderHost.h"
#include "schema/HeaderText.h"
#include "text/ResultEditor.h"

namespace qw {

using namespace header_text;

namespace {

class InPlaceUpdate {
public:
    InPlaceUpdate(HeaderHost& pass, const HeaderLayout& layout, HeaderMatch& match)
        : pass_(pass), editor_(pass.editor()), layout_(layout), header_(layout.header.lines),
          runs_(match.runs), removed_(match.removedContinuations), heading_(match.headingLine),
          n_(match.firstHeaderLine), g_(static_cast<int>(match.runs.size())) {}

    int run() {
        const int schemaSize = static_cast<int>(layout_.schema.lines.size());
        for (i_ = 0; i_ < schemaSize; ++i_, ++e_) {
            // Never past the header: the heading and the code stay untouched.
            if (e_ >= static_cast<int>(header_.size()) || n_ > heading_)
                break;
            dropPassedRuns();
            if (HeaderRun* r = topRun(); r && !r->history && r->topSchemaLine == i_)
                skipChangedStretch(*r);
            else if (i_ == layout_.trackedUpdate() && firstUpdate_)
                updateLine();
            else if (layout_.schema.isFixed(static_cast<std::size_t>(i_)))
                fixedLine();
            else
                freeLine();
        }
        return q_;
    }

private:
    bool inHeader(int n) const { return n >= 0 && n < heading_; }
    std::string_view text(int n) const {
        return inHeader(n) ? withoutIndent(editor_.line(n), layout_.indent) : std::string_view();
    }
    HeaderRun* topRun() { return g_ > 0 ? &runs_[static_cast<std::size_t>(g_ - 1)] : nullptr; }

    // A run whose stretch lies above the current line was not reached where it
    // was found; it can no longer be used.
    void dropPassedRuns() {
        while (g_ > 0 && topRun()->topSchemaLine < i_)
            --g_;
    }

    // Header lines never go below the heading, however the counts of the
    // runs came out. Returns where the line went.
    int insertLine(int at, const std::string& line, bool marked) {
        at = std::clamp(at, 0, heading_);
        editor_.insert(at, line);
        ++heading_;
        if (marked)
            pass_.markCommentLines(at, at + 1);
        return at;
    }

    // The new update line goes above the newest existing one, which is stepped
    // over together with the older ones that the matching counted under it, so
    // that whatever schema line follows (fixed or free) meets its own line.
    //
    // A newest line that still holds "%Crc" was never settled (its routine's
    // end was not found, as with two headings for one body under conditional
    // compilation); it is taken as the new line again instead of stacking a
    // further one on it at every run.
    void updateLine() {
        firstUpdate_ = false;
        const std::string wanted = layout_.indented(header_[e_]);
        if (inHeader(n_) && text(n_).find("%Crc") != std::string_view::npos) {
            if (editor_.line(n_) != wanted) {
                editor_.replace(n_, wanted);
                pass_.markCommentLines(n_, n_ + 1);
            }
            q_ = n_;
            n_ += 1;
        } else {
            q_ = n_ = insertLine(n_, wanted, true);
            n_ += 2;
        }
        if (HeaderRun* r = topRun(); r && r->history && r->topSchemaLine == i_) {
            n_ += r->existingLines;
            --g_;
        }
        insertContinuationLines();
    }

    void fixedLine() {
        const std::string wanted = layout_.indented(header_[e_]);
        if (inHeader(n_) && editor_.line(n_) != wanted) {
            editor_.replace(n_, wanted);
            pass_.markCommentLines(n_, n_ + 1);
        }
        ++n_;
        insertContinuationLines();
    }

    // A stretch of free lines that the matching found changed is stepped over
    // as a whole at its first line, where it was found, and not at whatever
    // free line happens to differ first (a date on a free line differs every
    // day): stepping over it elsewhere would shift every line below.
    void skipChangedStretch(const HeaderRun& r) {
        n_ += r.existingLines - 1;
        e_ += r.schemaLines - 1;
        i_ += r.schemaLines - 1;
        --g_;
        if (i_ >= 0 && i_ == layout_.trackedUpdate() && firstUpdate_ && e_ >= 0) {
            firstUpdate_ = false;
            q_ = n_ = insertLine(n_, layout_.indented(header_[static_cast<std::size_t>(e_)]), true);
            ++n_;
        }
        ++n_;
    }

    // Free lines are never rewritten: what the user typed there stays.
    void freeLine() {
        ++n_;
        // The matching removed the old continuation lines of a parameter
        // line, free or fixed; the new ones follow it.
        insertContinuationLines();
    }

    // A continuation line is marked unless the matching removed the same
    // line at the same place: what the update writes anew is shown and
    // counted, what it only puts back is not.
    void insertContinuationLines() {
        const int count = layout_.header.continuationLines(static_cast<std::size_t>(i_));
        const std::vector<std::string>* removed = static_cast<std::size_t>(i_) < removed_.size()
                                                      ? &removed_[static_cast<std::size_t>(i_)]
                                                      : nullptr;
        for (int k = 0; k < count && e_ + 1 < static_cast<int>(header_.size()); ++k) {
            ++n_;
            ++e_;
            const std::string line = layout_.indented(header_[e_]);
            const bool putBack = removed && static_cast<std::size_t>(k) < removed->size() &&
                                 (*removed)[static_cast<std::size_t>(k)] == line;
            insertLine(n_ - 1, line, !putBack);
        }
    }

    HeaderHost& pass_;
    ResultEditor& editor_;
    const HeaderLayout& layout_;
    const std::vector<std::string>& header_;
    std::vector<HeaderRun>& runs_;
    const std::vector<std::vector<std::string>>& removed_;
    int heading_;
    int n_;
    int g_;
    int i_ = 0;
    int e_ = 0;
    int q_ = -1;
    bool firstUpdate_ = true;
};

} // namespace

int updateHeaderInPlace(HeaderHost& pass, const HeaderLayout& layout, HeaderMatch& match) {
    InPlaceUpdate update(pass, layout, match);
    return update.run();
}

} // namespace qw
