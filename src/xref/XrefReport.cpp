#include "xref/XrefReport.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <unordered_map>

#include "xref/DeclKind.h"

namespace qw {

namespace {

constexpr std::size_t kUsesPerLine = 9;
constexpr std::size_t kFieldWidth = 7;
constexpr std::size_t kNameColumnEnd = 32;
constexpr std::size_t kScopeColumnEnd = 60;
constexpr std::size_t kTextEnd = 69; // the closing brace stands after it

// Top to bottom.
constexpr std::uint8_t kBlockKinds[] = {d_const, d_type, d_var, d_proc};

void padTo(std::string& s, std::size_t width) {
    if (s.size() < width)
        s.append(width - s.size(), ' ');
}

std::int64_t useLineCount(const TSymbol& s) {
    const std::size_t u = s.UseLines.size();
    return u == 0 ? 1 : static_cast<std::int64_t>((u + kUsesPerLine - 1) / kUsesPerLine);
}

std::string headingLine(std::uint8_t kind) {
    std::string line = "{ ";
    line += std::string(declKindName(kind)).substr(2);
    line += "-declarations:";
    padTo(line, kTextEnd);
    return line + "}";
}

// Per symbol, the newest earlier symbol whose level is one less, or -1: the
// routine a local belongs to.
std::vector<int> enclosingSymbols(const std::vector<TSymbol>& symbols) {
    std::vector<int> out(symbols.size(), -1);
    std::unordered_map<std::int64_t, int> newestAtLevel;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const std::int64_t level = symbols[i].Level;
        auto it = newestAtLevel.find(level - 1);
        if (it != newestAtLevel.end())
            out[i] = it->second;
        newestAtLevel[level] = static_cast<int>(i);
    }
    return out;
}

std::string scopeText(const std::vector<TSymbol>& symbols, std::size_t i, int enclosing) {
    const TSymbol& s = symbols[i];
    if (!s.Qualifier.empty())
        return s.Qualifier + ".";
    if (s.Level == 0)
        return "(global)";
    if (enclosing >= 0)
        return "(local in " + symbols[static_cast<std::size_t>(enclosing)].Name + ")";
    return {};
}

// A "}" would end the report's comment early and leave the rest of its line
// as code (a stray brace in a broken type section becomes a symbol); it is
// shown as ")".
std::string withoutCloser(std::string text) {
    std::replace(text.begin(), text.end(), '}', ')');
    return text;
}

void appendSymbolLines(const TSymbol& s, const std::string& scope, std::int64_t n,
                       std::vector<std::string>& out) {
    std::string first = "{   " + s.Name;
    padTo(first, kNameColumnEnd);
    first += scope;
    padTo(first, kScopeColumnEnd);
    first = withoutCloser(std::move(first));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%5" PRId64 " %2" PRId32 " }", s.DeclLine + n, s.Level);
    out.push_back(first + buf);

    if (s.UseLines.empty()) {
        std::string line = "{     Not used in this unit!";
        padTo(line, kTextEnd);
        out.push_back(line + "}");
        return;
    }
    for (std::size_t from = 0; from < s.UseLines.size(); from += kUsesPerLine) {
        std::string line = "{     ";
        const std::size_t fields = std::min(kUsesPerLine, s.UseLines.size() - from);
        for (std::size_t k = from; k < from + fields; ++k) {
            std::snprintf(buf, sizeof buf, " %5" PRId64 " ", s.UseLines[k] + n);
            line += buf;
        }
        // Blank groups rather than padding to a column: a six-digit line
        // number widens its field and the line with it.
        line.append((kUsesPerLine - fields) * kFieldWidth, ' ');
        out.push_back(line + "}");
    }
}

} // namespace

std::int64_t xrefReportLineCount(const std::vector<TSymbol>& symbols) {
    std::int64_t n = 4;
    for (const TSymbol& s : symbols)
        n += 1 + useLineCount(s);
    return n;
}

std::vector<std::string> xrefReportLines(const std::vector<TSymbol>& symbols) {
    const std::int64_t n = xrefReportLineCount(symbols);
    const std::vector<int> enclosing = enclosingSymbols(symbols);
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(n));
    for (std::uint8_t kind : kBlockKinds) {
        out.push_back(headingLine(kind));
        for (std::size_t i = 0; i < symbols.size(); ++i)
            if (symbols[i].Kind == kind)
                appendSymbolLines(symbols[i], scopeText(symbols, i, enclosing[i]), n, out);
    }
    return out;
}

} // namespace qw
