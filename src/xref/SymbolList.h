#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qw {

class ResultEditor;

// One declaration of the cross-reference.
struct TSymbol {
    std::uint8_t Kind = 0;
    std::string Qualifier;
    std::string Name;
    std::vector<std::int32_t> UseLines;
    std::int32_t Level = 0;
    std::int32_t DeclLine = 0;
};

// The cross-reference of one pass.
class TSymbolList {
public:
    void AddSymbol(const std::string& name, std::int32_t declLine, std::int32_t level,
                   std::uint8_t kind);
    void MarkQualified() { qualifyNext_ = true; }
    void AddUse(std::string_view lowerName, std::int32_t line, std::int32_t level);
    void ShiftLines(std::int32_t fromLine);
    // Inserts the report before line `atLine` and marks it; returns true.
    bool WriteReport(ResultEditor& editor, std::int32_t atLine);

    std::vector<TSymbol> symbols() const;

private:
    bool qualifyNext_ = false;
    std::vector<TSymbol> symbols_;
};

} // namespace qw
