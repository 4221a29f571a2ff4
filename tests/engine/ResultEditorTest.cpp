#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

#include "text/ResultEditor.h"

namespace qw {
namespace {

TEST(ResultEditor, InsertSplitsLineBreaks) {
    ResultEditor ed;
    ed.append("a");
    ed.append("d");
    ed.insert(1, "b\r\nc");
    ASSERT_EQ(ed.count(), 4);
    EXPECT_EQ(ed.line(1), "b");
    EXPECT_EQ(ed.line(2), "c");
    EXPECT_EQ(ed.line(3), "d");
}

TEST(ResultEditor, MarksFollowTheirLines) {
    ResultEditor ed;
    ed.append("begin");
    ed.append("end; { X }");
    ed.mark(1, 4, 6);
    ed.insert(0, "{ header }");
    ed.mark(0, 0, 10);
    ed.remove(1);
    auto marks = ed.marks();
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0], (CommentMark{0, 0, 10}));
    EXPECT_EQ(marks[1], (CommentMark{1, 4, 6}));
}

TEST(ResultEditor, ReplaceKeepsMarksOnUnchangedText) {
    ResultEditor ed;
    ed.append("end; { X }");
    ed.mark(0, 4, 6);
    ed.replace(0, "end; { X } { Y }");
    ed.mark(0, 10, 6);
    EXPECT_EQ(ed.marks(), (std::vector<CommentMark>{{0, 4, 12}}));

    ed.append("// fully marked %Crc");
    ed.markLines(1, 2);
    ed.replace(1, "// fully marked 3F and longer");
    EXPECT_TRUE(ed.isMarked(1, 28));
    ed.replace(1, "x");
    EXPECT_TRUE(ed.isMarked(1, 0));
    ed.replace(1, "");
    EXPECT_EQ(ed.marks(), (std::vector<CommentMark>{{0, 4, 12}}));
    ed.replace(1, "two parts");
    ed.mark(1, 4, 5);
    ed.mark(1, 0, 4); // the two make the whole line
    ed.replace(1, "two parts, longer");
    EXPECT_EQ(ed.marks(), (std::vector<CommentMark>{{0, 4, 12}, {1, 0, 17}}));
}

// Random edits while recording: the text before them can be read back from
// the first touched line on, every untouched line is found where it went, and
// taking them back restores lines, marks and flags exactly.
TEST(ResultEditorRecording, ReadsBackAndTakesBackRandomEdits) {
    std::mt19937 random(1208);
    for (int round = 0; round < 500; ++round) {
        ResultEditor ed;
        for (int i = 0; i < 12; ++i) {
            ed.append("line " + std::to_string(i));
            ed.setStartsInsideText(i, random() % 3 == 0);
            if (random() % 2)
                ed.mark(i, 0, 4);
        }
        const std::vector<std::string> original = ed.lines();
        const std::vector<CommentMark> originalMarks = ed.marks();
        std::vector<bool> flags;
        for (int i = 0; i < ed.count(); ++i)
            flags.push_back(ed.startsInsideText(i));

        ed.startRecording();
        int lowest = ed.count();
        // Where each line came from: its index before recording, or -1 for a
        // line inserted or rewritten since.
        std::vector<int> origin(static_cast<std::size_t>(ed.count()));
        for (int i = 0; i < ed.count(); ++i)
            origin[static_cast<std::size_t>(i)] = i;
        for (int k = 0, n = 1 + static_cast<int>(random() % 6); k < n; ++k) {
            const int at = static_cast<int>(random() % static_cast<unsigned>(ed.count()));
            lowest = std::min(lowest, at);
            const auto here = origin.begin() + at;
            switch (random() % 4) {
            case 0:
                ed.insert(at, "new\r\nlines");
                origin.insert(here, 2, -1);
                break;
            case 1:
                if (ed.count() > 1) {
                    ed.remove(at);
                    origin.erase(here);
                }
                break;
            case 2:
                ed.replace(at, "changed " + std::to_string(k));
                *here = -1;
                break;
            default:
                ed.markLines(at, at + 1);
                *here = -1;
            }
        }
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(ed.recordedTop(), lowest);
        const auto earlier = ed.linesBeforeRecording(lowest, ed.count());
        ASSERT_TRUE(earlier.has_value());
        EXPECT_EQ(earlier->text,
                  std::vector<std::string_view>(original.begin() + lowest, original.end()));
        EXPECT_EQ(earlier->firstStartsInside, flags[static_cast<std::size_t>(lowest)]);

        for (int i = 0; i < static_cast<int>(original.size()); ++i) {
            const auto now = std::find(origin.begin(), origin.end(), i);
            const std::optional<int> expected =
                now == origin.end() ? std::nullopt
                                    : std::optional<int>(static_cast<int>(now - origin.begin()));
            EXPECT_EQ(ed.recordedMove(i), expected) << "line " << i;
        }

        ed.takeBackRecorded();
        EXPECT_EQ(ed.lines(), original);
        EXPECT_EQ(ed.marks(), originalMarks);
        for (int i = 0; i < ed.count(); ++i)
            EXPECT_EQ(ed.startsInsideText(i), flags[static_cast<std::size_t>(i)]);
        EXPECT_EQ(ed.recordedTop(), ed.count()); // nothing recorded any more
    }
}

TEST(ResultEditorRecording, ChangesOutsideTheStretchAreRefused) {
    ResultEditor ed;
    for (const char* l : {"a", "b", "c", "d"})
        ed.append(l);
    ed.startRecording();
    ed.replace(3, "D");
    EXPECT_FALSE(ed.linesBeforeRecording(0, 3).has_value()); // the change is at line 3
    ASSERT_TRUE(ed.linesBeforeRecording(2, 4).has_value());
    EXPECT_EQ(ed.linesBeforeRecording(2, 4)->text, (std::vector<std::string_view>{"c", "d"}));
    ed.stopRecording();
    ed.replace(0, "A");
    EXPECT_EQ(ed.recordedTop(), ed.count()); // not recording
}

// Counts what an editor takes and gives back, and fills what it gives back,
// so that a line still pointing into a given-back block reads the wrong text.
class CountingMemory final : public BlockMemory {
public:
    void* take(std::size_t size) override {
        ++taken;
        bytes += size;
        return ::operator new(size);
    }
    void give(void* block, std::size_t size) noexcept override {
        ++given;
        bytes -= size;
        std::fill_n(static_cast<char*>(block), size, '#');
        ::operator delete(block);
    }
    int taken = 0;
    int given = 0;
    std::size_t bytes = 0;
};

// Many blocks, a line too long for any of them, and marks: a copy and a moved
// editor keep their lines and marks after the original is gone, and every
// block taken is given back exactly once.
TEST(ResultEditor, CopiesAndMovesOwnTheirBlocks) {
    CountingMemory memory;
    {
        std::vector<std::string> expected;
        std::optional<ResultEditor> original(std::in_place, memory);
        for (int i = 0; i < 50000; ++i) {
            expected.push_back("line " + std::to_string(i) + std::string(i % 50, 'x'));
            if (i == 25000)
                expected.back() = std::string(std::size_t{3} << 20, 'L');
            original->append(expected.back());
            if (i % 7 == 0)
                original->mark(i, 0, 4);
        }
        const std::vector<CommentMark> marks = original->marks();
        ResultEditor copy = *original;
        ResultEditor moved = std::move(*original);
        original.reset();
        EXPECT_EQ(copy.lines(), expected);
        EXPECT_EQ(moved.lines(), expected);
        EXPECT_EQ(copy.marks(), marks);
        EXPECT_EQ(moved.marks(), marks);
        copy = moved;
        moved.clear();
        EXPECT_EQ(copy.lines(), expected);
        EXPECT_EQ(copy.marks(), marks);
        EXPECT_GT(memory.taken, 10);
    }
    EXPECT_EQ(memory.given, memory.taken);
    EXPECT_EQ(memory.bytes, 0u);
}

} // namespace
} // namespace qw
