#include "app/core/OutputText.h"

#include "engine/ResultEditor.h"
#include "engine/SourcePass.h"

namespace qw {

std::string outputText(const ResultEditor& editor, const LineBreaks& source) {
    const auto finalBreak =
        source.finalBreak ? ResultEditor::FinalBreak::Yes : ResultEditor::FinalBreak::No;
    std::string text = editor.text(source.dominant(), finalBreak);
    if (source.byteOrderMark)
        text.insert(0, "\xEF\xBB\xBF");
    return text;
}

} // namespace qw
