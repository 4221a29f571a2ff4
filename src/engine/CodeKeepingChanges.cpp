#include "engine/CodeKeepingChanges.h"

#include <string>
#include <vector>

#include "engine/CodeEquivalence.h"
#include "engine/ResultEditor.h"

namespace qw {
namespace {

void appendLines(std::string& out, const ResultEditor& editor, int from, int to) {
    for (int i = from; i < to; ++i) {
        out += editor.line(i);
        out += '\n';
    }
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
    int from = top;
    if (earlier->firstStartsInside)
        for (from = top - 1; from > 0 && editor.startsInsideText(from); --from) {
        }
    if (from < 0)
        return false;
    std::string before;
    appendLines(before, editor, from, top);
    for (const std::string& line : earlier->text) {
        before += line;
        before += '\n';
    }
    std::string after;
    appendLines(after, editor, from, last + 1);
    return !findCodeMismatch(before, after).has_value();
}

} // namespace qw
