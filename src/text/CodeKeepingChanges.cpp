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

std::size_t sizeOfLines(const ResultEditor& editor, int from, int to) {
    std::size_t size = 0;
    for (int i = from; i < to; ++i)
        size += editor.line(i).size() + 1;
    return size;
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
    // Both texts are built in one allocation each: this check runs for every
    // header placed.
    const std::size_t unchangedSize = sizeOfLines(editor, from, top);
    std::size_t earlierSize = 0;
    for (std::string_view line : earlier->text)
        earlierSize += line.size() + 1;
    std::string before;
    before.reserve(unchangedSize + earlierSize);
    appendLines(before, editor, from, top);
    for (std::string_view line : earlier->text)
        appendLine(before, line);
    std::string after;
    after.reserve(unchangedSize + sizeOfLines(editor, top, last + 1));
    appendLines(after, editor, from, last + 1);
    return !findCodeMismatch(before, after).has_value();
}

} // namespace qw
