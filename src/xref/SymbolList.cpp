#include "xref/SymbolList.h"

#include <algorithm>

#include "text/ResultEditor.h"
#include "text/Text.h"
#include "xref/XrefReport.h"

namespace qw {

void TSymbolList::qualifyNewest(const std::string& name) {
    Entry& e = entries_.back();
    const int index = size() - 1;
    const std::string oldLower = toLower(e.name);
    e.qualifier = std::move(e.name);
    e.name = name;
    names_.rename(index, oldLower, toLower(name));
}

void TSymbolList::AddSymbol(const std::string& name, std::int32_t declLine, std::int32_t level,
                            std::uint8_t kind) {
    // A qualification with nothing to qualify (an include file that opens
    // with a method heading) simply declares the name.
    if (qualifyNext_ && !entries_.empty()) {
        qualifyNewest(name);
    } else {
        names_.add(toLower(name), size());
        entries_.push_back({kind, {}, name, {}});
        levels_.append(level);
        declLines_.add(declLine);
    }
    qualifyNext_ = false;
}

void TSymbolList::AddUse(std::string_view lowerName, std::int32_t line, std::int32_t level) {
    // The walk back from the newest symbol stops at the newest one above
    // `level` and at the newest one of the name, whichever comes first, and
    // raises every symbol it reaches to `level`.
    const int stop = levels_.newestAbove(level);
    const int match = names_.newest(lowerName);
    if (match > stop) {
        entries_[static_cast<std::size_t>(match)].useLines.push_back(line);
        levels_.raiseTail(match, level);
    } else {
        levels_.raiseTail(stop + 1, level);
    }
}

void TSymbolList::ShiftLines(std::int32_t fromLine) {
    declLines_.shift(fromLine);
}

std::vector<TSymbol> TSymbolList::symbols() const {
    const std::vector<std::int32_t> levels = levels_.values();
    const std::vector<std::int64_t> lines = declLines_.values();
    std::vector<TSymbol> out;
    out.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        out.push_back({e.kind, e.qualifier, e.name, e.useLines, levels[i],
                       static_cast<std::int32_t>(lines[i])});
    }
    return out;
}

bool TSymbolList::WriteReport(ResultEditor& editor, std::int32_t atLine) {
    const std::vector<std::string> lines = xrefReportLines(symbols());
    std::string text;
    for (const std::string& l : lines) {
        if (!text.empty())
            text += "\r\n";
        text += l;
    }
    const int at = std::clamp(atLine, 0, editor.count());
    const int before = editor.count();
    editor.insert(at, text);
    // The pass counts the report as one comment; marking here does not count.
    editor.markLines(at, at + (editor.count() - before));
    return true;
}

} // namespace qw
