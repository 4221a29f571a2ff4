#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "xref/Symbol.h"

namespace qw {

// The cross-reference report as text, top to bottom: the const, type, var and
// proc blocks, each a heading and its symbols in list order. Every line is 70
// columns wide unless a name or scope does not fit its column. Line numbers
// are printed as they read once the report stands above them.
std::vector<std::string> xrefReportLines(const std::vector<TSymbol>& symbols);

// How many lines the report has: 4 headings, and per symbol its first line
// and its use lines (at least one, 9 uses a line).
std::int64_t xrefReportLineCount(const std::vector<TSymbol>& symbols);

} // namespace qw
