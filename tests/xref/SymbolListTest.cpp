// Which symbol a use goes to, how uses raise levels, qualified headings,
// letter case and line shifts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/ResultEditor.h"
#include "xref/DeclKind.h"
#include "xref/SymbolList.h"

namespace qw {
namespace {

using Lines = std::vector<std::int32_t>;

std::vector<std::int32_t> levelsOf(const TSymbolList& list) {
    std::vector<std::int32_t> out;
    for (const TSymbol& s : list.symbols())
        out.push_back(s.Level);
    return out;
}

std::vector<std::string> reportLinesOf(TSymbolList& list) {
    ResultEditor editor;
    list.WriteReport(editor, 0);
    return editor.lines();
}

TEST(SymbolList, AUseRaisesTheLevelsItPassesAndTheScopeTextFollows) {
    TSymbolList list;
    list.AddSymbol("Shared", 1, 0, d_var);
    list.AddSymbol("Proc", 2, 0, d_proc);
    list.AddSymbol("Local", 3, 1, d_var);
    list.AddUse("proc", 4, 1); // passes Local, raises Proc, matches it
    EXPECT_EQ(levelsOf(list), (std::vector<std::int32_t>{0, 1, 1}));
    EXPECT_EQ(list.symbols()[1].UseLines, Lines{4});

    const auto lines = reportLinesOf(list); // N = 10
    EXPECT_EQ(lines[3], "{   Shared                      (global)                       11  0 }");
    EXPECT_EQ(lines[5], "{   Local                       (local in Shared)              13  1 }");
    EXPECT_EQ(lines[8], "{   Proc                        (local in Shared)              12  1 }");
}

TEST(SymbolList, AUseRaisesEverythingWhenNothingMatches) {
    TSymbolList list;
    list.AddSymbol("A", 1, 0, d_var);
    list.AddSymbol("B", 2, 2, d_var);
    list.AddSymbol("C", 3, 1, d_var);
    list.AddUse("nothing", 4, 3);
    EXPECT_EQ(levelsOf(list), (std::vector<std::int32_t>{3, 3, 3}));
    for (const TSymbol& s : list.symbols())
        EXPECT_TRUE(s.UseLines.empty());
}

TEST(SymbolList, AUseStopsAtTheNewestDeeperSymbol) {
    struct Case {
        const char* what;
        std::int32_t useLevel;
        std::vector<std::int32_t> levels;
        Lines usesOfA;
    };
    // A at level 0, B at level 2, C at level 1, newest last; the use names A.
    const Case cases[] = {
        {"lower than the newest: nothing is recorded or raised", 0, {0, 2, 1}, {}},
        {"stops at B, raising only C", 1, {0, 2, 1}, {}},
        {"passes B and C, raising both to its level", 2, {2, 2, 2}, {9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSymbolList list;
        list.AddSymbol("A", 1, 0, d_var);
        list.AddSymbol("B", 2, 2, d_var);
        list.AddSymbol("C", 3, 1, d_var);
        list.AddUse("a", 9, c.useLevel);
        EXPECT_EQ(levelsOf(list), c.levels);
        EXPECT_EQ(list.symbols()[0].UseLines, c.usesOfA);
    }
}

TEST(SymbolList, ANameDeclaredTwiceGetsItsUsesOnItsNewestEntry) {
    TSymbolList list;
    list.AddSymbol("Foo", 3, 0, d_proc); // interface
    list.AddUse("foo", 5, 0);
    list.AddSymbol("Foo", 10, 0, d_proc); // implementation, at its name
    list.AddSymbol("Foo", 10, 0, d_proc); // and again at the end of its heading
    list.AddUse("foo", 12, 0);
    list.AddUse("foo", 13, 0);
    const auto symbols = list.symbols();
    ASSERT_EQ(symbols.size(), 3u);
    EXPECT_EQ(symbols[0].UseLines, Lines{5});
    EXPECT_TRUE(symbols[1].UseLines.empty());
    EXPECT_EQ(symbols[2].UseLines, (Lines{12, 13}));
    EXPECT_EQ(reportLinesOf(list)[7],
              "{     Not used in this unit!                                         }");
}

TEST(SymbolList, AQualifiedHeadingRenamesTheNewestSymbol) {
    // procedure TCounter.Reset; as the pass reports it.
    TSymbolList list;
    list.AddSymbol("Count", 2, 0, d_var);
    list.AddSymbol("TCounter", 7, 0, d_proc);
    list.MarkQualified();
    list.AddSymbol("Reset", 7, 0, d_proc);
    EXPECT_FALSE(list.qualifyNext());
    list.AddUse("tcounter", 8, 0); // the old name is gone
    list.AddUse("reset", 8, 0);
    list.AddSymbol("Reset", 7, 0, d_proc);
    list.AddUse("reset", 9, 0);

    const auto symbols = list.symbols();
    ASSERT_EQ(symbols.size(), 3u);
    EXPECT_EQ(symbols[1].Qualifier, "TCounter");
    EXPECT_EQ(symbols[1].Name, "Reset");
    EXPECT_EQ(symbols[1].DeclLine, 7);
    EXPECT_EQ(symbols[1].UseLines, Lines{8});
    EXPECT_TRUE(symbols[2].Qualifier.empty());
    EXPECT_EQ(symbols[2].UseLines, Lines{9});
    EXPECT_TRUE(symbols[0].UseLines.empty());

    const auto lines = reportLinesOf(list); // N = 10
    EXPECT_EQ(lines[6], "{   Reset                       TCounter.                      17  0 }");
    EXPECT_EQ(lines[8], "{   Reset                       (global)                       17  0 }");
}

TEST(SymbolList, APendingQualificationWaitsForTheNextDeclarationOfAnyKind) {
    TSymbolList list;
    list.MarkQualified(); // nothing to qualify yet: the name is simply declared
    list.AddSymbol("X", 1, 0, d_proc);
    ASSERT_EQ(list.size(), 1);
    EXPECT_TRUE(list.symbols()[0].Qualifier.empty());
    EXPECT_FALSE(list.qualifyNext());

    list.MarkQualified();
    list.AddUse("x", 2, 0); // uses leave the mark alone
    EXPECT_TRUE(list.qualifyNext());
    list.AddSymbol("Y", 3, 1, d_const);
    ASSERT_EQ(list.size(), 1);
    const TSymbol s = list.symbols()[0];
    EXPECT_EQ(s.Qualifier, "X");
    EXPECT_EQ(s.Name, "Y");
    EXPECT_EQ(s.Kind, d_proc);
    EXPECT_EQ(s.Level, 0);
    EXPECT_EQ(s.UseLines, Lines{2});
}

TEST(SymbolList, NamesMatchWithoutRegardToAsciiLetterCase) {
    TSymbolList list;
    list.AddSymbol("MyCount", 1, 0, d_var);
    list.AddSymbol("\xC4rger", 2, 0, d_var); // Latin-1 capital A umlaut
    list.AddUse("mycount", 3, 0);
    list.AddUse("MyCount", 4, 0);  // the pass hands uses in lower case
    list.AddUse("\xE4rger", 5, 0); // only A..Z are folded
    list.AddUse("\xC4rger", 6, 0);
    const auto symbols = list.symbols();
    EXPECT_EQ(symbols[0].UseLines, Lines{3});
    EXPECT_EQ(symbols[1].UseLines, Lines{6});
}

TEST(SymbolList, ShiftsMoveDeclarationLinesFromTheirLineOnButNotUses) {
    TSymbolList list;
    list.AddSymbol("A", 4, 0, d_var);
    list.AddSymbol("B", 5, 0, d_var);
    list.AddSymbol("C", 6, 0, d_var);
    list.AddUse("c", 6, 0);
    list.ShiftLines(5);               // B 6, C 7
    list.ShiftLines(5);               // B 7, C 8
    list.ShiftLines(8);               // C 9
    list.AddSymbol("D", 7, 0, d_var); // declared after the shifts: not moved by them
    list.ShiftLines(7);               // B 8, C 10, D 8
    std::vector<std::int32_t> lines;
    for (const TSymbol& s : list.symbols())
        lines.push_back(s.DeclLine);
    EXPECT_EQ(lines, (std::vector<std::int32_t>{4, 8, 10, 8}));
    EXPECT_EQ(list.symbols()[2].UseLines, Lines{6});
}

} // namespace
} // namespace qw
