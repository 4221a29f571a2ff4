#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qw {

class PassServices;
class ResultEditor;

// The entry under a routine's frame that tells the end of the routine which
// update line to settle:
//   "-"             nothing to settle
//   "-q"            a whole header was inserted; its update line is line q
//   "-q,DC"         a header was updated in place; the new update line is q,
//                   the previous newest is q + 1, C is the last column of the
//                   update line's label
//   "-q,DC,Ik"      the same for a header indented by k columns, so that
//                   blanking the old label keeps the indentation and opener
struct UpdateRecord {
    int line = -1;               // q; negative: nothing to settle
    std::optional<int> labelEnd; // C
    int indent = 0;              // k

    static std::string untracked() { return "-"; }
    static std::string forInsertedHeader(int line);
    static std::string forUpdatedHeader(int line, int labelEnd, int indent);
    // The record with its line number moved through the editor's recorded
    // changes; nothing to settle when they removed or rewrote that line.
    static std::string movedBy(const std::string& record, const ResultEditor& editor);
    // Whether two records name the same update line.
    static bool sameLine(std::string_view a, std::string_view b);

    // Numbers that are not decimal are reported through the pass (which then
    // stops) and count as 0. A record of "-" alone gives nothing.
    static std::optional<UpdateRecord> parse(std::string_view record, PassServices& pass);
};

} // namespace qw
