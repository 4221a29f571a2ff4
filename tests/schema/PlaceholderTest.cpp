#include <gtest/gtest.h>

#include "schema/Placeholder.h"

namespace qw::test {
namespace {

TEST(PadRight, FillsUpToTheWidthAndNeverCuts) {
    EXPECT_EQ(padRight("Foo", 6), "Foo   ");
    EXPECT_EQ(padRight("Foo", 3), "Foo");
    EXPECT_EQ(padRight("Foobar", 2), "Foobar");
    EXPECT_EQ(padRight("", 2), "  ");
    EXPECT_EQ(padRight("Foo", -1), "Foo");
}

struct TokenCase {
    const char* name;
    std::string line;
    std::string placeholder;
    std::string value;
    std::string expected;
    bool replaced = true;
};

class TokenCases : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenCases, ReplaceTheWholeToken) {
    const TokenCase& c = GetParam();
    std::string line = c.line;
    EXPECT_EQ(replacePlaceholder(line, c.placeholder, c.value), c.replaced);
    EXPECT_EQ(line, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TokenCases,
    ::testing::Values(
        TokenCase{"ClosedToken", "// %FuncName% here", "%FuncName", "Foo", "// Foo here"},
        TokenCase{"UnclosedTokenEatsTheRestOfTheLine", "// %FuncName **", "%FuncName", "Foo",
                  "// Foo"},
        TokenCase{"WidthPads", "%FuncName:8%|", "%FuncName", "Foo", "Foo     |"},
        TokenCase{"WidthShorterThanValueDoesNotCut", "%FuncName:2%|", "%FuncName", "Foo", "Foo|"},
        TokenCase{"ColonWithoutDigitsIsWidthZero", "%FuncName:%|", "%FuncName", "Foo", "Foo|"},
        TokenCase{"LastColonCounts", "%FuncName:9:5%|", "%FuncName", "Foo", "Foo  |"},
        TokenCase{"DigitsEndAtTheFirstNonDigit", "%FuncName:5x3%|", "%FuncName", "Foo", "Foo  |"},
        TokenCase{"TextBetweenNameAndPercentIsDropped", "%FuncNameJunk%|", "%FuncName", "Foo",
                  "Foo|"},
        TokenCase{"EveryOccurrence", "%Date% and %Date%", "%Date", "d", "d and d"},
        // The token of an unclosed placeholder ends at the next one's percent
        // sign, so that one is no placeholder any more.
        TokenCase{"UnclosedDateSwallowsTheTimePlaceholder", "%Date %Time%", "%Date", "d", "dTime%"},
        TokenCase{"NamesAreCaseSensitive", "%funcname%", "%FuncName", "Foo", "%funcname%", false},
        TokenCase{"DoublePercentStays", "100%% %FuncName%", "%FuncName", "Foo", "100%% Foo"},
        TokenCase{"EmptyValue", "a%Update%b", "%Update", "", "ab"},
        TokenCase{"WidthOnEmptyValue", "a%Update:3%b", "%Update", "", "a   b"},
        TokenCase{"HugeWidthIsCapped", "%FuncName:99999999999%", "%FuncName", "F",
                  padRight("F", kMaxPlaceholderWidth)},
        // A value that holds its own placeholder is inserted once, not re-read.
        TokenCase{"ValueHoldingThePlaceholder", "%Coder% / %Coder%", "%Coder", "x%Coder%y",
                  "x%Coder%y / x%Coder%y"},
        TokenCase{"ValueHoldingAnUnclosedPlaceholder", "by %Coder%", "%Coder", "%Coder",
                  "by %Coder"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(MultiLineValue, BoxedParameterLinesLineUp) {
    // Opener and label (15 characters), the placeholder with width 30, " *)".
    const std::string line = "(* Parameters: %Parameters:30% *)";
    const std::string first = "const A : Integer"; // 17 characters
    const std::string second = " var B : string";
    auto block = layOutMultiLineValue(line, "%Parameters", first + "\r" + second);
    ASSERT_TRUE(block);
    ASSERT_EQ(block->size(), 2u);
    EXPECT_EQ((*block)[0], "(* Parameters: " + padRight(first, 30) + " *)");
    EXPECT_EQ((*block)[1], "(*" + std::string(12, ' ') + padRight(second, 30) + "  *)");
    for (const std::string& l : *block) {
        EXPECT_EQ(l.size(), 48u) << l;
        EXPECT_EQ(l.substr(46), "*)") << l;
    }
    EXPECT_EQ((*block)[1].substr(15, second.size() - 1), "var B : string");
    EXPECT_EQ((*block)[0].substr(15, first.size()), first);
}

struct BlockCase {
    const char* name;
    std::string line;
    std::string value;
    std::vector<std::string> expected;
};

class BlockCases : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockCases, LayOut) {
    auto block = layOutMultiLineValue(GetParam().line, "%Parameters", GetParam().value);
    ASSERT_TRUE(block);
    EXPECT_EQ(*block, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockCases,
    ::testing::Values(
        // Without a width the whole value's length is the width: the first line
        // gets blanks behind it, so there is no closing.
        BlockCase{"NoWidthField", "// P: %Parameters%", "a\r b", {"// P: a   ", "//    b   "}},
        BlockCase{"BraceClosingIsTheBraceAlone",
                  "{ P: %Parameters:4% }",
                  "a\r b",
                  {"{ P: a    }", "{ P  b    }"}},
        BlockCase{
            "PlaceholderAtColumnTwoHasNoPrefix", "(%Parameters:2%)", "a\r b", {"(a )", " b )"}},
        BlockCase{
            "ThreeGroups", "// %Parameters:3%.", "a\r b\r c", {"// a  .", "// b  .", "// c  ."}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(MultiLineValue, NothingWithoutThePlaceholder) {
    EXPECT_FALSE(layOutMultiLineValue("// none", "%Parameters", "a\r b"));
}

} // namespace
} // namespace qw::test
