#include <gtest/gtest.h>

#include <algorithm>

#include "engine/SourcePass.h"
#include "platform/FileSystem.h"
#include "text/LineSplitter.h"

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

// A file read a few bytes at a time, so that every line break and the
// byte-order mark fall across the ends of the pieces somewhere.
class Trickle final : public ByteReader {
public:
    Trickle(std::string bytes, std::size_t piece) : bytes_(std::move(bytes)), piece_(piece) {}
    std::size_t read(char* into, std::size_t size) override {
        const std::size_t n = std::min({size, piece_, bytes_.size() - pos_});
        std::copy_n(bytes_.data() + pos_, n, into);
        pos_ += n;
        return n;
    }

private:
    std::string bytes_;
    std::size_t piece_;
    std::size_t pos_ = 0;
};

std::vector<std::string> allLines(LineSplitter& splitter) {
    std::vector<std::string> lines;
    while (!splitter.atEnd())
        lines.emplace_back(splitter.next());
    return lines;
}

class LineSplitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitting, FindsLinesAndCountsBreaks) {
    const SplitCase& c = GetParam();
    // 0: the bytes in memory; otherwise read in pieces of that size.
    for (std::size_t piece : {0, 1, 2, 3}) {
        SCOPED_TRACE(piece);
        LineBreaks breaks;
        Trickle reader(c.bytes, piece);
        LineSplitter splitter =
            piece == 0 ? LineSplitter(c.bytes, breaks) : LineSplitter(reader, breaks);
        EXPECT_EQ(allLines(splitter), c.lines);
        EXPECT_EQ(breaks.crlf, c.crlf);
        EXPECT_EQ(breaks.lf, c.lf);
        EXPECT_EQ(breaks.cr, c.cr);
        EXPECT_EQ(breaks.finalBreak, c.finalBreak);
        EXPECT_EQ(breaks.byteOrderMark, c.bom);
        EXPECT_EQ(std::string(breaks.dominant()), c.dominant);
    }
}

// Lines longer than what the splitter reads at once, and a CR LF across the
// end of its buffer.
TEST(LineSplitting, ReadsLinesLongerThanItsBuffer) {
    const std::string longLine(700000, 'x');
    const std::string bytes = "a\r\n" + longLine + "\r\n" + std::string(262141, 'y') + "\r\nz";
    LineBreaks breaks;
    Trickle reader(bytes, 1 << 20);
    LineSplitter splitter(reader, breaks);
    EXPECT_EQ(allLines(splitter),
              (std::vector<std::string>{"a", longLine, std::string(262141, 'y'), "z"}));
    EXPECT_EQ(breaks.crlf, 3);
    EXPECT_EQ(breaks.cr, 0);
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
        SplitCase{"MixedTakesTheMostFrequent",
                  "a\nb\nc\r\nd\r",
                  {"a", "b", "c", "d"},
                  1,
                  2,
                  1,
                  true,
                  false,
                  "\n"},
        SplitCase{"TieGoesToCrLf", "a\nb\r\n", {"a", "b"}, 1, 1, 0, true, false, "\r\n"},
        SplitCase{
            "ByteOrderMark", "\xEF\xBB\xBFunit x;\r\n", {"unit x;"}, 1, 0, 0, true, true, "\r\n"},
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
