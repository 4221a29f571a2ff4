#include "text/CodeKeepingChanges.h"

#include <optional>
#include <string>
#include <utility>
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

LanguageState stateAfterLine(std::string_view line, LanguageState state) {
    return codeStateAfter("\n", codeStateAfter(line, state));
}

// Whether every line that the changes left as it was begins in the same state
// of the language as before. A change that closes early a comment opened
// above it, or opens one, leaves the lines after it on the other side even
// where they hold no code: blank lines, or a comment of their own. Line
// `last` holds code that the texts share, so it is not asked again: a whole
// header put in above it is checked at no cost.
bool unchangedLinesReadAlike(const ResultEditor& editor, int from, int top, int last,
                             const std::vector<std::string_view>& earlier) {
    std::vector<std::pair<std::size_t, int>> kept; // earlier line, line now
    for (std::size_t k = 0; k < earlier.size(); ++k)
        if (const std::optional<int> moved = editor.recordedMove(top + static_cast<int>(k));
            moved && *moved >= top && *moved < last)
            kept.emplace_back(k, *moved);
    if (kept.empty())
        return true;
    LanguageState atTop;
    for (int i = from; i < top; ++i)
        atTop = stateAfterLine(editor.line(i), atTop);
    LanguageState before = atTop;
    LanguageState now = atTop;
    std::size_t k = 0;
    int i = top;
    for (const auto& [earlierLine, lineNow] : kept) {
        for (; k < earlierLine; ++k)
            before = stateAfterLine(earlier[k], before);
        for (; i < lineNow; ++i)
            now = stateAfterLine(editor.line(i), now);
        if (before != now)
            return false;
    }
    return true;
}

// The changes only put in lines of whole comments right above line `last`,
// which began in code: the code is kept without comparing the texts. This is
// how nearly every header goes in.
bool onlyCommentLinesPutIn(const ResultEditor& editor, int top, int last,
                           const ResultEditor::EarlierLines& earlier) {
    if (earlier.firstStartsInside || earlier.text.size() != 1 || editor.recordedMove(top) != last)
        return false;
    for (int i = top; i < last; ++i)
        if (!holdsOnlyComments(editor.line(i)))
            return false;
    return true;
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
    if (onlyCommentLinesPutIn(editor, top, last, *earlier))
        return true;
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
    return !findCodeMismatch(before, after).has_value() &&
           unchangedLinesReadAlike(editor, from, top, last, earlier->text);
}

} // namespace qw
