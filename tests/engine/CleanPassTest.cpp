#include <gtest/gtest.h>

#include "support/PassRunner.h"

namespace qw::test {
namespace {

struct CleanCase {
    const char* name;
    std::string input;
    std::string expected;
    int count;
};

class CleanCases : public ::testing::TestWithParam<CleanCase> {};

// Cleans, then cleans the result again, which must change nothing.
TEST_P(CleanCases, StripsCommentsAndIsStable) {
    const CleanCase& c = GetParam();
    SCOPED_TRACE(c.name);
    PassResult r = cleanText(c.input);
    EXPECT_EQ(r.text, c.expected);
    EXPECT_EQ(r.count, c.count);
    EXPECT_TRUE(r.marks.empty());
    PassResult again = cleanText(r.text);
    EXPECT_EQ(again.text, r.text);
    EXPECT_EQ(again.count, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CleanCases,
    ::testing::Values(
        CleanCase{"NoCommentsKeepsEmptyLinesDropsBlankOnes", "a;\n\n   \nb;  \n", "a;\n\nb;\n", 1},
        CleanCase{"MultiLineCommentEndingMidLine", "x; { one\n  two\n  three } y;\n", "x;\n y;\n",
                  1},
        CleanCase{"LoneStarInsideComment", "a := 1; (* a * b *)\n", "a := 1;\n", 0},
        CleanCase{"ParenStarParenRunsOn", "a (*) b\nc *) d\n", "a\n d\n", 0},
        CleanCase{"CommentOpenersInsideStrings", "s := 'a//b{c}(*d*)';\n", "s := 'a//b{c}(*d*)';\n",
                  0},
        CleanCase{"DoubledQuoteStaysDoubled", "s := 'it''s'; // note\n", "s := 'it''s';\n", 0},
        CleanCase{"LineCommentOnly", "// all\nx;\n", "x;\n", 1},
        CleanCase{"CommentWithEmptyLinesInside", "{\n\n}\nx;\n", "x;\n", 3},
        // A line break ends a string left open (the warning answered with
        // Ignore): the strings of the next lines keep their text.
        CleanCase{"StringLeftOpenEndsWithItsLine", "s := 'open\nt := '{b}'; {c}\n",
                  "s := 'open\nt := '{b}';\n", 0},
        CleanCase{"QuoteInBraceCommentLeavesAStringOpen", "{\n  ['{a}']\n}\nx := '{b}';\n",
                  "']\n}\nx := '{b}';\n", 1}),
    [](const auto& row) { return std::string(row.param.name); });

// Directives look like comments but are code: they stay byte for byte.
INSTANTIATE_TEST_SUITE_P(
    Directives, CleanCases,
    ::testing::Values(CleanCase{"BraceDirective", "{$R *.RES}\n{ note }\n", "{$R *.RES}\n", 1},
                      CleanCase{"ParenDirective", "(*$I x.inc*) (* note *)\n", "(*$I x.inc*)\n", 0},
                      CleanCase{"DirectiveAmidCode", "a {$IFDEF X}b{$ENDIF} c; {x}\n",
                                "a {$IFDEF X}b{$ENDIF} c;\n", 0},
                      CleanCase{"DirectiveOverLines", "{$IFDEF X\n  }\nx;\n",
                                "{$IFDEF X\n  }\nx;\n", 0},
                      CleanCase{"DollarLaterInCommentIsNoDirective", "{ $R }x;\n", "x;\n", 0}),
    [](const auto& row) { return std::string(row.param.name); });

// Removing a comment must not join its neighbours into another token.
INSTANTIATE_TEST_SUITE_P(
    NoGluing, CleanCases,
    ::testing::Values(CleanCase{"Words", "a{x}b\n", "a b\n", 0},
                      CleanCase{"ParenAndStar", "({x}*\n", "( *\n", 0},
                      CleanCase{"ColonAndEquals", "x :{x}= 1;\n", "x : = 1;\n", 0},
                      CleanCase{"HexDollar", "c := ${x}FF;\n", "c := $ FF;\n", 0},
                      CleanCase{"BinaryPercent", "c := %{x}101;\n", "c := % 101;\n", 0},
                      CleanCase{"PointerCaret", "p: ^{x}TFoo;\n", "p: ^ TFoo;\n", 0},
                      CleanCase{"RealNumber", "r := 1{x}.5;\n", "r := 1 .5;\n", 0},
                      CleanCase{"Quotes", "s := 'a'(*x*)'b';\n", "s := 'a' 'b';\n", 0},
                      CleanCase{"BlanksAroundNeedNothing", "a {x} b\n", "a  b\n", 0},
                      CleanCase{"PunctuationNeedsNothing", "f(a{x},b);\n", "f(a,b);\n", 0},
                      CleanCase{"TwoCommentsInARow", "a{x}{y}b\n", "a b\n", 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CleanPass, CountsTheCommentLinesOfACommentedUnit) {
    const std::string input = "implementation\n"
                              "procedure P;\n"
                              "begin\n"
                              "end;\n";
    PassResult commented = commentText(input);
    PassResult cleaned = cleanText(commented.text);
    EXPECT_EQ(cleaned.text, input);
    EXPECT_EQ(cleaned.count, 0);
}

} // namespace
} // namespace qw::test
