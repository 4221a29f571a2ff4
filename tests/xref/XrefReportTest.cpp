// The report's text: the line forms, the block order, the count N that moves
// every printed line number, the use lines of nine fields and the marking.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/ResultEditor.h"
#include "xref/DeclKind.h"
#include "xref/SymbolList.h"

namespace qw {
namespace {

std::string closed(std::string text) {
    text.resize(69, ' ');
    return text + "}";
}

const std::string kConstHeading = closed("{ const-declarations:");
const std::string kTypeHeading = closed("{ type-declarations:");
const std::string kVarHeading = closed("{ var-declarations:");
const std::string kProcHeading = closed("{ proc-declarations:");
const std::string kNotUsed = closed("{     Not used in this unit!");

std::vector<std::string> reportOf(TSymbolList& list, std::vector<std::string> source = {"end."}) {
    ResultEditor editor;
    for (auto& l : source)
        editor.append(l);
    EXPECT_TRUE(list.WriteReport(editor, 0));
    return editor.lines();
}

TEST(XrefReport, TheExampleLinesWithTwentyTwoReportLines) {
    TSymbolList list;
    for (int i = 1; i <= 7; ++i) // 7 unused constants: 14 lines
        list.AddSymbol("C" + std::to_string(i), i, 0, d_const);
    list.AddSymbol("Count", 5, 0, d_var);
    list.AddSymbol("TCounter", 9, 0, d_proc);
    list.MarkQualified();
    list.AddSymbol("Reset", 9, 0, d_proc);
    list.AddUse("reset", 13, 0);
    list.AddUse("reset", 14, 0);

    const auto lines = reportOf(list, {"unit U;"});
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[0], kConstHeading);
    EXPECT_EQ(lines[1], "{   C1                          (global)                       23  0 }");
    EXPECT_EQ(lines[2], kNotUsed);
    EXPECT_EQ(lines[13], "{   C7                          (global)                       29  0 }");
    EXPECT_EQ(lines[15], kTypeHeading);
    EXPECT_EQ(lines[16], "{ var-declarations:                                                  }");
    EXPECT_EQ(lines[17], "{   Count                       (global)                       27  0 }");
    EXPECT_EQ(lines[18], "{     Not used in this unit!                                         }");
    EXPECT_EQ(lines[19], kProcHeading);
    EXPECT_EQ(lines[20], "{   Reset                       TCounter.                      31  0 }");
    EXPECT_EQ(lines[21], "{         35     36                                                  }");
    EXPECT_EQ(lines[22], "unit U;");
}

TEST(XrefReport, WithoutDeclarationsOnlyTheFourHeadingsAreMarked) {
    TSymbolList list;
    ResultEditor editor;
    editor.append("program P;");
    editor.append("begin");
    editor.append("end.");
    ASSERT_TRUE(list.WriteReport(editor, 0));
    EXPECT_EQ(editor.lines(),
              (std::vector<std::string>{kConstHeading, kTypeHeading, kVarHeading, kProcHeading,
                                        "program P;", "begin", "end."}));
    EXPECT_EQ(editor.marks(),
              (std::vector<CommentMark>{{0, 0, 70}, {1, 0, 70}, {2, 0, 70}, {3, 0, 70}}));
}

TEST(XrefReport, AnEmptyTextGetsTheHeadingsAlone) {
    TSymbolList list;
    ResultEditor editor;
    ASSERT_TRUE(list.WriteReport(editor, 0));
    EXPECT_EQ(editor.lines(),
              (std::vector<std::string>{kConstHeading, kTypeHeading, kVarHeading, kProcHeading}));
    EXPECT_EQ(editor.marks().size(), 4u);
}

TEST(XrefReport, NineUsesFillOneLineAndTheTenthStartsAnother) {
    struct Case {
        int uses;
        std::vector<std::string> useLines;
    };
    // N = 4 headings + 1 + the use lines; the uses are on lines 1, 2, ...
    const Case cases[] = {
        {1, {closed("{          7 ")}},
        {9, {"{          7      8      9     10     11     12     13     14     15 }"}},
        {10,
         {"{          8      9     10     11     12     13     14     15     16 }",
          "{         17 " + std::string(8 * 7, ' ') + "}"}},
        {18,
         {"{          8      9     10     11     12     13     14     15     16 }",
          "{         17     18     19     20     21     22     23     24     25 }"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.uses) + " uses");
        TSymbolList list;
        list.AddSymbol("X", 1, 0, d_var);
        for (int i = 1; i <= c.uses; ++i)
            list.AddUse("x", i, 0);
        const auto lines = reportOf(list);
        ASSERT_EQ(lines.size(), 4 + 1 + c.useLines.size() + 1);
        for (std::size_t k = 0; k < c.useLines.size(); ++k) {
            EXPECT_EQ(lines[4 + k], c.useLines[k]);
            EXPECT_EQ(lines[4 + k].size(), 70u);
        }
        EXPECT_EQ(lines[4 + c.useLines.size()], kProcHeading);
    }
}

TEST(XrefReport, BlocksReadConstTypeVarProcWithSymbolsInListOrder) {
    TSymbolList list;
    list.AddSymbol("P1", 1, 0, d_proc);
    list.AddSymbol("V1", 2, 0, d_var);
    list.AddSymbol("T1", 3, 0, d_type);
    list.AddSymbol("K1", 4, 0, d_const);
    list.AddSymbol("P2", 5, 0, d_proc);
    list.AddSymbol("V2", 6, 0, d_var);
    const auto lines = reportOf(list);
    std::vector<std::string> firstWords;
    for (const auto& l : lines)
        firstWords.push_back(l.substr(0, l.find(' ', 4)));
    EXPECT_EQ(firstWords,
              (std::vector<std::string>{
                  "{ const-declarations:", "{   K1", "{   ", "{ type-declarations:", "{   T1",
                  "{   ", "{ var-declarations:", "{   V1", "{   ", "{   V2", "{   ",
                  "{ proc-declarations:", "{   P1", "{   ", "{   P2", "{   ", "end."}));
}

TEST(XrefReport, ScopeTextNamesTheNearestEarlierSymbolOneLevelUp) {
    TSymbolList list;
    list.AddSymbol("First", 1, 0, d_proc);
    list.AddSymbol("A", 2, 1, d_var);
    list.AddSymbol("Second", 3, 0, d_proc);
    list.AddSymbol("B", 4, 1, d_var);
    list.AddSymbol("Inner", 5, 1, d_proc);
    list.AddSymbol("C", 6, 2, d_var);
    list.AddSymbol("Orphan", 7, 5, d_var); // nothing at level 4 before it
    const auto lines = reportOf(list);
    // N = 18; const and type blocks are empty, the var block starts at line 2.
    EXPECT_EQ(lines[3], "{   A                           (local in First)               20  1 }");
    EXPECT_EQ(lines[5], "{   B                           (local in Second)              22  1 }");
    EXPECT_EQ(lines[7], "{   C                           (local in Inner)               24  2 }");
    EXPECT_EQ(lines[9], "{   Orphan                                                     25  5 }");
}

TEST(XrefReport, LongTextsAreNotCutAndWideNumbersWidenTheirFields) {
    TSymbolList list;
    const std::string longName(40, 'N');
    list.AddSymbol(longName, 99995, 0, d_var);
    list.AddUse(std::string(40, 'n'), 99995, 0);
    list.AddUse(std::string(40, 'n'), 99996, 0);
    const auto lines = reportOf(list);
    // N = 6 takes the numbers past 99999.
    EXPECT_EQ(lines[3], "{   " + longName + "(global)        100001  0 }");
    EXPECT_EQ(lines[4], "{      100001  100002 " + std::string(7 * 7, ' ') + "}");
}

TEST(XrefReport, InsertedBeforeTheGivenLineAndOnlyThereMarked) {
    TSymbolList list;
    list.AddSymbol("X", 1, 0, d_var);
    ResultEditor editor;
    editor.append("a");
    editor.append("b { kept }");
    editor.mark(1, 2, 8);
    ASSERT_TRUE(list.WriteReport(editor, 1));
    ASSERT_EQ(editor.count(), 8);
    EXPECT_EQ(editor.line(0), "a");
    EXPECT_EQ(editor.line(1), kConstHeading);
    EXPECT_EQ(editor.line(7), "b { kept }");
    std::vector<CommentMark> want;
    for (int i = 1; i <= 6; ++i)
        want.push_back({i, 0, 70});
    want.push_back({7, 2, 8});
    EXPECT_EQ(editor.marks(), want);
}

TEST(XrefReport, ALineBeyondTheTextAppendsTheReport) {
    TSymbolList list;
    ResultEditor editor;
    editor.append("a");
    ASSERT_TRUE(list.WriteReport(editor, 5));
    ASSERT_EQ(editor.count(), 5);
    EXPECT_EQ(editor.line(0), "a");
    EXPECT_EQ(editor.line(1), kConstHeading);
}

} // namespace
} // namespace qw
