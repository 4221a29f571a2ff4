#include "text/CodeKeepingChanges.h"

#include <string>
#include <vector>

#include "text/CodeEquivalence.h"
#include "text/ResultEditor.h"

namespace qw {
namespace {

void appendLine(std::string& out, std::string_view line) {
    out += line;
    out += '\n';
}

void appendLines(std::string& out, const ResultEditor& editor, int from, int to) {
    for (int i = from; i < to; ++i)
        appendLine(out, editor.line(i));
}

} // namespace

bool recordedChangesKeepCode(const ResultEditor& editor, int last) {
    const int top = editor.recordedTop();
    if (top >= editor.count())
        return true; // nothing changed
    const auto earlier = editor.linesBeforeRecording(top, last + 1);
    if (!earlier)
        return false;
    // Lines above the first change are unchanged, their flags still hold.
    // The comparison starts on a line that both the scanner and the language
    // read as starting in code.
    int from = top;
    if (earlier->firstStartsInside) {
        from = top - 1;
        while (from > 0 && (editor.startsInsideText(from) || editor.startsInsideCodeComment(from)))
            --from;
    }
    if (from < 0)
        return false;
    std::string before;
    appendLines(before, editor, from, top);
    for (const std::string& line : earlier->text)
        appendLine(before, line);
    std::string after;
    appendLines(after, editor, from, last + 1);
    return !findCodeMismatch(before, after).has_value();
}

} // namespace qw
