#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xref/NameIndex.h"
#include "xref/ShiftedLines.h"
#include "xref/Symbol.h"
#include "xref/SymbolLevels.h"

namespace qw {

class ResultEditor;

// The cross-reference of one pass: every declaration in list order with its
// uses. A use goes to what a walk back from the newest symbol would find
// (raising the levels it passes, stopping at a deeper symbol or at the first
// name that matches), but the walk is not made: the levels, the names and the
// declaration lines are each held in a structure that answers it directly, so
// a token costs the same however long the list is.
class TSymbolList {
public:
    void AddSymbol(const std::string& name, std::int32_t declLine, std::int32_t level,
                   std::uint8_t kind);
    // The next AddSymbol renames the newest symbol instead, keeping its old
    // name as qualifier (TCounter.Reset).
    void MarkQualified() { qualifyNext_ = true; }
    void AddUse(std::string_view lowerName, std::int32_t line, std::int32_t level);
    // Every declaration line at or below `fromLine` moves down by one.
    void ShiftLines(std::int32_t fromLine);
    // Inserts the report before line `atLine` and marks it; returns true.
    bool WriteReport(ResultEditor& editor, std::int32_t atLine);

    int size() const { return static_cast<int>(entries_.size()); }
    bool qualifyNext() const { return qualifyNext_; }
    // The symbols as they stand now, in list order.
    std::vector<TSymbol> symbols() const;

private:
    struct Entry {
        std::uint8_t kind;
        std::string qualifier;
        std::string name;
        std::vector<std::int32_t> useLines;
    };
    void qualifyNewest(const std::string& name);

    bool qualifyNext_ = false;
    std::vector<Entry> entries_;
    NameIndex names_;
    SymbolLevels levels_;
    ShiftedLines declLines_;
};

} // namespace qw
