#include "schema/UpdateSettlement.h"

#include <algorithm>

#include "schema/HeaderHost.h"
#include "schema/HeaderText.h"
#include "schema/Placeholder.h"
#include "schema/UpdateRecord.h"
#include "text/ResultEditor.h"

namespace qw {

using namespace header_text;

// Two upper-case hexadecimal digits, written by hand: every routine's update
// line gets them.
static std::string checksumDigits(int checksum) {
    constexpr char kHex[] = "0123456789ABCDEF";
    const unsigned byte = static_cast<unsigned>(checksum) & 0xFFu;
    return {kHex[byte >> 4], kHex[byte & 0xFu]};
}

// Blanks the label of the previous newest update line: its characters from
// the third after the indentation up to the label's last column, so that the
// indentation and the comment opener stay. Only a line that carries the new
// update line's label there is such a line: when the old one was removed by
// the user, or an unsettled one was taken again, the line below may be any
// header line or the heading itself, and it keeps its text.
static void blankLabel(ResultEditor& editor, int updateLine, int labelEnd, int indent) {
    const int first = std::max(indent, 0) + 3;
    std::string text(editor.line(updateLine + 1));
    const int last = std::min(labelEnd, static_cast<int>(text.size()));
    if (last < first)
        return;
    const std::string_view label = copy(editor.line(updateLine), first, last - first + 1);
    if (copy(text, first, last - first + 1) != label)
        return;
    std::fill(text.begin() + (first - 1), text.begin() + last, ' ');
    editor.replace(updateLine + 1, std::move(text));
}

void settleUpdateLine(const UpdateRecord& record, int bodyChecksum, HeaderHost& pass) {
    ResultEditor& editor = pass.editor();
    if (!record.tracked() || record.line >= editor.count())
        return;
    const int q = record.line;
    std::string updated(editor.line(q));
    const int c = positionOf(updated, "%Crc");
    replacePlaceholder(updated, "%Crc", checksumDigits(bodyChecksum));
    const std::string_view previous =
        q + 1 < editor.count() ? editor.line(q + 1) : std::string_view();
    if (copy(updated, c, 2) == copy(previous, c, 2)) {
        // The body is as it was at the last recorded update.
        editor.remove(q);
        pass.uncountComment();
        return;
    }
    editor.replace(q, std::move(updated));
    pass.shiftLines(q);
    if (record.labelEnd && q + 1 < editor.count())
        blankLabel(editor, q, *record.labelEnd, record.indent);
}

} // namespace qw
