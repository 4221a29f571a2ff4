#pragma once

// The cross-reference as the plain backward walk: every use walks the list
// from the newest symbol, every shift visits every symbol, and the report is
// inserted text by text the way the original inserts it. Quadratic, and kept
// only as the reference that the indexed list is checked against (tests) and
// timed against (bench).

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "text/ResultEditor.h"
#include "xref/Symbol.h"

namespace qw::oracle {

class PlainSymbolList {
public:
    void AddSymbol(const std::string& name, std::int32_t declLine, std::int32_t level,
                   std::uint8_t kind) {
        if (qualifyNext_ && !symbols_.empty()) {
            TSymbol& last = symbols_.back();
            last.Qualifier = last.Name;
            last.Name = name;
        } else {
            TSymbol s;
            s.Name = name;
            s.DeclLine = declLine;
            s.Level = level;
            s.Kind = kind;
            symbols_.push_back(s);
        }
        qualifyNext_ = false;
    }

    void MarkQualified() { qualifyNext_ = true; }

    void AddUse(std::string_view lowerName, std::int32_t line, std::int32_t level) {
        for (std::size_t i = symbols_.size(); i-- > 0;) {
            TSymbol& s = symbols_[i];
            if (level > s.Level)
                s.Level = level;
            else if (level < s.Level)
                return;
            if (equalsLowered(s.Name, lowerName)) {
                s.UseLines.push_back(line);
                return;
            }
        }
    }

    void ShiftLines(std::int32_t fromLine) {
        for (TSymbol& s : symbols_)
            if (s.DeclLine >= fromLine)
                s.DeclLine += 1;
    }

    bool WriteReport(ResultEditor& editor, std::int32_t atLine) {
        int n = 4;
        for (const TSymbol& s : symbols_)
            n += 1 + (s.UseLines.empty() ? 1 : static_cast<int>((s.UseLines.size() + 8) / 9));
        long long chars = 0;
        auto insert = [&](const std::string& text) {
            editor.insert(atLine, text);
            chars += static_cast<long long>(text.size()) + 2;
        };
        for (std::uint8_t kind :
             {std::uint8_t{2}, std::uint8_t{6}, std::uint8_t{3}, std::uint8_t{7}}) {
            for (std::size_t i = symbols_.size(); i-- > 0;)
                if (symbols_[i].Kind == kind)
                    insert(symbolText(i, n));
            insert(heading(kind));
        }
        // The selection runs over characters; every line break is two.
        for (int i = atLine; chars > 0 && i < editor.count(); ++i) {
            const long long len = static_cast<long long>(editor.line(i).size());
            editor.mark(i, 0, static_cast<int>(len < chars ? len : chars));
            chars -= len + 2;
        }
        return true;
    }

    const std::vector<TSymbol>& symbols() const { return symbols_; }

private:
    static bool equalsLowered(const std::string& name, std::string_view lower) {
        if (name.size() != lower.size())
            return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            char c = name[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != lower[i])
                return false;
        }
        return true;
    }

    static std::string padded(std::string s, std::size_t width) {
        while (s.size() < width)
            s += ' ';
        return s;
    }

    static std::string heading(std::uint8_t kind) {
        static const char* const names[] = {"d_none",  "d_func", "d_proc",  "d_type",  "d_case",
                                            "d_class", "d_var",  "d_const", "d_record"};
        return padded("{ " + std::string(names[kind] + 2) + "-declarations:", 69) + "}";
    }

    std::string symbolText(std::size_t index, int n) const {
        const TSymbol& s = symbols_[index];
        std::string scope;
        if (!s.Qualifier.empty()) {
            scope = s.Qualifier + ".";
        } else if (s.Level == 0) {
            scope = "(global)";
        } else {
            for (std::size_t j = index; j-- > 0;) {
                if (symbols_[j].Level == s.Level - 1) {
                    scope = "(local in " + symbols_[j].Name + ")";
                    break;
                }
            }
        }
        char buf[64];
        std::snprintf(buf, sizeof buf, "%5d %2d }", s.DeclLine + n, s.Level);
        std::string text = padded(padded("{   " + s.Name, 32) + scope, 60) + buf;
        if (s.UseLines.empty())
            return text + "\r\n" + padded("{     Not used in this unit!", 69) + "}";
        for (std::size_t from = 0; from < s.UseLines.size(); from += 9) {
            std::string line = "{     ";
            int fields = 0;
            for (std::size_t k = from; k < s.UseLines.size() && k < from + 9; ++k, ++fields) {
                std::snprintf(buf, sizeof buf, " %5d ", s.UseLines[k] + n);
                line += buf;
            }
            for (; fields < 9; ++fields)
                line += "       ";
            text += "\r\n" + line + "}";
        }
        return text;
    }

    bool qualifyNext_ = false;
    std::vector<TSymbol> symbols_;
};

} // namespace qw::oracle
