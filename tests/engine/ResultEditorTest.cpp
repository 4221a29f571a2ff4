#include <gtest/gtest.h>

#include "engine/ResultEditor.h"

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
}

} // namespace
} // namespace qw
