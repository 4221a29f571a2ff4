#include "xref/SymbolList.h"

namespace qw {

void TSymbolList::AddSymbol(const std::string& name, std::int32_t declLine, std::int32_t level,
                            std::uint8_t kind) {
    (void)name, (void)declLine, (void)level, (void)kind;
    qualifyNext_ = false;
}

void TSymbolList::AddUse(std::string_view, std::int32_t, std::int32_t) {}

void TSymbolList::ShiftLines(std::int32_t) {}

bool TSymbolList::WriteReport(ResultEditor&, std::int32_t) { return false; }

std::vector<TSymbol> TSymbolList::symbols() const { return symbols_; }

} // namespace qw
