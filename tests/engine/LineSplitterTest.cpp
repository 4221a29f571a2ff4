#include <gtest/gtest.h>

#include "engine/LineSplitter.h"
#include "engine/SourcePass.h"

namespace qw {
namespace {

struct SplitCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
    int crlf, lf, cr;
    bool finalBreak, bom;
    std::string dominant;
};

class LineSplitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitting, FindsLinesAndCountsBreaks) {
    const SplitCase& c = GetParam();
    LineBreaks breaks;
    LineSplitter splitter(c.bytes, breaks);
    std::vector<std::string> lines;
    while (!splitter.atEnd())
        lines.emplace_back(splitter.next());
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(breaks.crlf, c.crlf);
    EXPECT_EQ(breaks.lf, c.lf);
    EXPECT_EQ(breaks.cr, c.cr);
    EXPECT_EQ(breaks.finalBreak, c.finalBreak);
    EXPECT_EQ(breaks.byteOrderMark, c.bom);
    EXPECT_EQ(std::string(breaks.dominant()), c.dominant);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineSplitting,
    ::testing::Values(
        SplitCase{"Empty", "", {}, 0, 0, 0, false, false, "\r\n"},
        SplitCase{"NoBreak", "abc", {"abc"}, 0, 0, 0, false, false, "\r\n"},
        SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}, 2, 0, 0, true, false, "\r\n"},
        SplitCase{"Lf", "a\nb", {"a", "b"}, 0, 1, 0, false, false, "\n"},
        SplitCase{"CrAlone", "a\rb\rc\r", {"a", "b", "c"}, 0, 0, 3, true, false, "\r"},
        SplitCase{"EmptyLines", "\n\n", {"", ""}, 0, 2, 0, true, false, "\n"},
        SplitCase{"MixedTakesTheMostFrequent", "a\nb\nc\r\nd\r", {"a", "b", "c", "d"}, 1, 2, 1,
                  true, false, "\n"},
        SplitCase{"TieGoesToCrLf", "a\nb\r\n", {"a", "b"}, 1, 1, 0, true, false, "\r\n"},
        SplitCase{"ByteOrderMark", "\xEF\xBB\xBFunit x;\r\n", {"unit x;"}, 1, 0, 0, true, true,
                  "\r\n"},
        SplitCase{"CrBeforeLaterLf", "a\rb\nc", {"a", "b", "c"}, 0, 1, 1, false, false, "\n"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LineSplitting, LongFileWithCrAloneStaysLinear) {
    std::string bytes;
    for (int i = 0; i < 200000; ++i)
        bytes += "x := 1;\r";
    LineBreaks breaks;
    LineSplitter splitter(bytes, breaks);
    int n = 0;
    while (!splitter.atEnd()) {
        splitter.next();
        ++n;
    }
    EXPECT_EQ(n, 200000);
    EXPECT_EQ(breaks.cr, 200000);
}

} // namespace
} // namespace qw
