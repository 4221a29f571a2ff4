#include <gtest/gtest.h>

#include <algorithm>

#include "SchemaTestSupport.h"

namespace qw::test {
namespace {

std::string unitWith(const std::string& heading, const std::string& body) {
    return "unit U;\n\ninterface\n\nimplementation\n\n" + heading + "\nbegin\n" + body +
           "end;\n\nend.\n";
}

const std::string kFoo = "procedure Foo(const A: Integer; var B: string);";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

int countLines(const PassResult& r, const std::string& part) {
    return static_cast<int>(
        std::count_if(r.lines.begin(), r.lines.end(),
                      [&](const std::string& l) { return l.find(part) != std::string::npos; }));
}

int indexOf(const PassResult& r, const std::string& part) {
    for (std::size_t i = 0; i < r.lines.size(); ++i)
        if (r.lines[i].find(part) != std::string::npos)
            return static_cast<int>(i);
    return -1;
}

// Runs over a result again and expects nothing to change.
void expectStable(const Schema& schema, const PassResult& previous, Clock* clock = nullptr) {
    const PassResult again = commentWith(schema, previous.text, clock);
    EXPECT_EQ(again.text, previous.text);
    EXPECT_EQ(again.count, 0);
    EXPECT_FALSE(again.aborted);
}

class DemoTracking : public ::testing::Test {
protected:
    const Schema demo = shippedSchema("Demo.cs");
    FixedClock day1{"08.12.2026", "10:00:00"};
    FixedClock day2{"09.12.2026", "10:00:00"};
};

TEST_F(DemoTracking, AnUnchangedBodyLeavesTheHeaderAsItWas) {
    const PassResult first = commentWith(demo, unitWith(kFoo, "  X;\n"), &day1);
    EXPECT_EQ(first.count, 1);
    EXPECT_EQ(countLines(first, "Crc "), 1);
    expectStable(demo, first, &day1);
    // A later day changes nothing either: no fixed line holds the date.
    expectStable(demo, first, &day2);
}

TEST_F(DemoTracking, EveryBodyChangeAddsOneUpdateLineOnTop) {
    const PassResult first = commentWith(demo, unitWith(kFoo, "  X;\n"), &day1);
    const PassResult second = commentWith(demo, replaced(first.text, "  X;", "  Y;"), &day2);
    EXPECT_EQ(second.count, 1);
    ASSERT_EQ(countLines(second, "Crc "), 2);
    const int top = indexOf(second, "(* Updated:");
    ASSERT_GT(top, 0);
    EXPECT_NE(second.lines[top].find("09.12.2026"), std::string::npos);
    EXPECT_EQ(second.lines[top + 1].substr(0, 16), "(*" + std::string(14, ' '));
    EXPECT_NE(second.lines[top + 1].find("08.12.2026"), std::string::npos);
    EXPECT_EQ(second.lines[top].size(), second.lines[top + 1].size());
    // Different bodies, different checksums, in the same column.
    const std::size_t crc = second.lines[top].find("Crc ") + 4;
    EXPECT_NE(second.lines[top].substr(crc, 2), second.lines[top + 1].substr(crc, 2));
    expectStable(demo, second, &day2);

    const PassResult third = commentWith(demo, replaced(second.text, "  Y;", "  Z;"), &day2);
    EXPECT_EQ(countLines(third, "Crc "), 3);
    EXPECT_EQ(countLines(third, "(* Updated:"), 1);
    EXPECT_EQ(indexOf(third, "(* Updated:"), top);
    EXPECT_EQ(third.lines[top + 1].substr(crc, 2), second.lines[top].substr(crc, 2));
    EXPECT_EQ(third.lines[top + 2], second.lines[top + 1]);
    expectStable(demo, third, &day2);
}

TEST_F(DemoTracking, TheUsersTextOnFreeLinesSurvives) {
    const PassResult first = commentWith(demo, unitWith(kFoo, "  X;\n"), &day1);
    std::string edited = replaced(first.text, "(* Description: ", "(* Description: Adds A to B.");
    edited =
        replaced(edited, "(* Parameters:", "(*   and a second line of text *)\n(* Parameters:");
    const int free = indexOf(first, "(* Updated:") + 1;
    edited = replaced(edited, first.lines[free] + "\n", "(* note one *)\n(* note two *)\n");
    const PassResult mine = commentWith(demo, edited, &day2);
    EXPECT_EQ(mine.text, edited);
    // A changed body too: the notes stay under the update lines.
    const PassResult changed = commentWith(demo, replaced(edited, "  X;", "  Y;"), &day2);
    EXPECT_EQ(countLines(changed, "Crc "), 2);
    EXPECT_EQ(indexOf(changed, "(* note one *)"), indexOf(changed, "(* Updated:") + 2);
    EXPECT_EQ(countLines(changed, "Adds A to B."), 1);
    EXPECT_EQ(countLines(changed, "a second line of text"), 1);
    expectStable(demo, changed, &day2);
}

TEST_F(DemoTracking, AnEditedFixedLineGetsASecondWholeHeader) {
    const PassResult first = commentWith(demo, unitWith(kFoo, "  X;\n"), &day1);
    const std::string edited = replaced(first.text, "(* Result:", "(* Outcome:");
    const PassResult again = commentWith(demo, edited, &day1);
    EXPECT_EQ(countLines(again, "(* Routine:"), 2);
    const int heading = indexOf(again, "procedure Foo");
    const int secondHeader = indexOf(again, "(* Outcome:") + 5; // below the old header
    EXPECT_EQ(again.lines[secondHeader], first.lines[indexOf(first, "(* ====")]);
    EXPECT_EQ(heading, secondHeader + 10); // nine schema lines, one continuation line
    expectStable(demo, again, &day1);
}

TEST_F(DemoTracking, IndentationTrailingBlanksAndEmptyLinesKeepTheChecksum) {
    const PassResult first = commentWith(demo, unitWith(kFoo, "  X;\n  Y;\n"), &day1);
    const std::string reshaped = replaced(first.text, "  X;\n  Y;\n", "\tX;   \n\n      Y;\n\n");
    const PassResult again = commentWith(demo, reshaped, &day2);
    EXPECT_EQ(again.text, reshaped);
    EXPECT_EQ(again.count, 0);
}

TEST_F(DemoTracking, ChangedParametersRewriteTheirLines) {
    const PassResult first = commentWith(demo, unitWith(kFoo, "  X;\n"), &day1);
    const PassResult again = commentWith(
        demo, replaced(first.text, kFoo, "procedure Foo(A: Byte;\n  B: Word;\n  C: Char);"), &day1);
    EXPECT_EQ(countLines(again, "A : Byte"), 1);
    EXPECT_EQ(countLines(again, "B : Word"), 1);
    EXPECT_EQ(countLines(again, "C : Char"), 1);
    EXPECT_EQ(countLines(again, "var B : string"), 0);
    EXPECT_EQ(countLines(again, "(* Routine:"), 1);
    expectStable(demo, again, &day1);
}

bool isLineMarked(const PassResult& r, int line) {
    return std::any_of(r.marks.begin(), r.marks.end(),
                       [&](const CommentMark& m) { return m.line == line; });
}

// An update in place marks every parameter line it writes anew, continuation
// lines included, and none that it puts back as it was.
TEST_F(DemoTracking, ParameterLinesThatAnUpdateWritesAreMarked) {
    struct Row {
        const char* name;
        std::string from;
        std::string to;
        std::vector<std::string> marked;
        std::vector<std::string> unmarked;
    };
    const std::string kOne = "procedure Foo(A, B: Byte);";
    const Row rows[] = {
        {"unchanged", kFoo, kFoo, {}, {"const A : Integer", "var B : string"}},
        {"one added",
         kFoo,
         "procedure Foo(const A: Integer; var B: string; C: Char);",
         {"C : Char"},
         {"const A : Integer", "var B : string"}},
        {"the second changed",
         kFoo,
         "procedure Foo(const A: Integer; var B: Word);",
         {"var B : Word"},
         {"const A : Integer"}},
        {"the first changed",
         kFoo,
         "procedure Foo(A: Byte; var B: string);",
         {"A : Byte"},
         {"var B : string"}},
        {"one removed", kFoo, "procedure Foo(const A: Integer);", {}, {"const A : Integer"}},
        {"from one to three",
         kOne,
         "procedure Foo(A, B: Byte;\n  C: Word; D: Char);",
         {"C : Word", "D : Char"},
         {"A , B : Byte"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PassResult first = commentWith(demo, unitWith(row.from, "  X;\n"), &day1);
        const PassResult again = commentWith(demo, replaced(first.text, row.from, row.to), &day1);
        for (const std::string& text : row.marked)
            EXPECT_TRUE(isLineMarked(again, indexOf(again, text))) << text;
        for (const std::string& text : row.unmarked)
            EXPECT_FALSE(isLineMarked(again, indexOf(again, text))) << text;
        EXPECT_EQ(again.count, static_cast<int>(row.marked.size()));
        expectStable(demo, again, &day1);
    }
}

TEST_F(DemoTracking, TwoRoutinesInARowEachGetTheirOwnHeader) {
    const std::string input = "implementation\n\nprocedure A;\nbegin\nend;\n"
                              "  function B: Integer;\n  begin\n  end;\n";
    const PassResult r = commentWith(demo, input, &day1);
    EXPECT_EQ(r.count, 2);
    const int a = indexOf(r, "procedure A;");
    const int b = indexOf(r, "function B");
    EXPECT_EQ(r.lines[a - 9].substr(0, 5), "(* ==");
    EXPECT_EQ(r.lines[a - 8].substr(0, 17), "(* Routine:     A");
    EXPECT_EQ(r.lines[b - 9].substr(0, 7), "  (* ==");
    EXPECT_EQ(r.lines[b - 8].substr(0, 19), "  (* Routine:     B");
    EXPECT_EQ(r.lines[b - 10], "end;");
    expectStable(demo, r, &day1);
}

TEST_F(DemoTracking, AnIndentedRoutineKeepsItsOpenerWhenItsLabelIsBlanked) {
    const std::string input = "implementation\n\nprocedure Outer;\n\n  procedure Inner;\n  begin\n"
                              "    X;\n  end;\n\nbegin\n  Inner;\nend;\n";
    const PassResult first = commentWith(demo, input, &day1);
    const PassResult second = commentWith(demo, replaced(first.text, "    X;", "    Y;"), &day2);
    const int top = indexOf(second, "  (* Updated:     09.12.2026");
    ASSERT_GT(top, 0);
    EXPECT_EQ(second.lines[top + 1].substr(0, 18), "  (*" + std::string(14, ' '));
    EXPECT_NE(second.lines[top + 1].find("08.12.2026"), std::string::npos);
    EXPECT_EQ(countLines(second, "Crc "), 3); // the outer routine's and the inner one's two
    expectStable(demo, second, &day2);
}

// The user removed the empty free line under the update line: the header is
// still recognised, and the search for it does not run into the header of
// the routine above.
TEST_F(DemoTracking, ADeletedFreeLineLeavesTheRoutineAboveAlone) {
    const std::string input = "implementation\n\nprocedure A;\nbegin\n  X;\nend;\n\n"
                              "procedure B;\nbegin\n  Y;\nend;\n";
    const PassResult first = commentWith(demo, input, &day1);
    std::vector<std::string> lines = first.lines;
    const int b = indexOf(first, "procedure B;");
    ASSERT_EQ(lines[b - 2].substr(0, 4), "(*  ");
    lines.erase(lines.begin() + (b - 2));
    const std::string edited = joinLines(lines);
    const PassResult again = commentWith(demo, replaced(edited, "  Y;", "  Z;"), &day1);
    const std::vector<std::string> untouched(first.lines.begin(), first.lines.begin() + b - 9);
    EXPECT_EQ(std::vector<std::string>(again.lines.begin(), again.lines.begin() + b - 9),
              untouched);
    EXPECT_EQ(countLines(again, "(* Routine:"), 2);
    EXPECT_EQ(countLines(again, "Crc "), 3);
    expectStable(demo, again, &day1);
}

TEST_F(DemoTracking, AHeaderAtTheTopThatLostItsFirstLineIsNotShifted) {
    const PassResult first = commentWith(demo, "procedure Foo;\nbegin\nend;\n", &day1);
    ASSERT_EQ(indexOf(first, "procedure Foo;"), 9);
    std::vector<std::string> lines = first.lines;
    lines.erase(lines.begin());
    const std::string damaged = joinLines(lines);
    const PassResult again = commentWith(demo, damaged, &day1);
    // A new header goes between the remains of the old one and the heading;
    // none of the old lines is overwritten.
    ASSERT_EQ(again.lines.size(), lines.size() + 9);
    for (std::size_t i = 0; i < lines.size() - 3; ++i)
        EXPECT_EQ(again.lines[i], lines[i]);
    expectStable(demo, again, &day1);
}

// Without a body the running checksum would take in the routine's own header
// and record a change on every run.
TEST_F(DemoTracking, ARoutineWithoutBodyKeepsItsOneUpdateLine) {
    const std::string input = "implementation\n\nprocedure P; forward;\n"
                              "function Q(A: Integer): Integer; stdcall;\n  external 'q.dll';\n\n"
                              "procedure P;\nbegin\nend;\n";
    const PassResult first = commentWith(demo, input, &day1);
    EXPECT_EQ(countLines(first, "Crc 00"), 2);
    const PassResult second = commentWith(demo, first.text, &day2);
    EXPECT_EQ(second.text, first.text);
    expectStable(demo, second, &day2);
}

// Two headings for one body: the first routine's end is never found. Its
// update line is settled as that of a routine without a body, and a line left
// unsettled by an earlier version is taken again, not stacked on.
TEST_F(DemoTracking, AnUpdateLineWhoseEndIsNeverFoundIsSettledAsWithoutBody) {
    const std::string input = "implementation\n\n{$ifdef A}\nfunction F(X: Byte): Byte;\n"
                              "{$else}\nfunction F(X: Word): Word;\n{$endif}\nbegin\n"
                              "  Result := X;\nend;\n";
    const PassResult first = commentWith(demo, input, &day1);
    EXPECT_EQ(countLines(first, "%Crc"), 0);
    EXPECT_EQ(countLines(first, "Crc 00"), 1);
    const PassResult second = commentWith(demo, first.text, &day2);
    EXPECT_EQ(second.text, first.text);
    EXPECT_EQ(second.count, 0);

    const PassResult older =
        commentWith(demo, replaced(first.text, "Crc 00 ", "Crc %Crc:3%"), &day2);
    EXPECT_EQ(countLines(older, "%Crc"), 0);
    EXPECT_EQ(countLines(older, "09.12.2026"), 1); // the unsettled line, brought up to date
    EXPECT_EQ(older.lines.size(), first.lines.size());
    expectStable(demo, older, &day2);
}

TEST(UpdateTracking, AnUpdateLineOnTheFirstSchemaLineIsNeverTracked) {
    const Schema s = schemaOf({"x// Updated %Update%%Date% %Crc%", "x// %FuncName%"});
    const PassResult first = commentWith(s, unitWith("procedure Foo;", "  X;\n"));
    EXPECT_EQ(first.lines[6], "// Updated 08.12.2026 %Crc%");
    const PassResult second = commentWith(s, replaced(first.text, "  X;", "  Y;"));
    EXPECT_EQ(second.text, replaced(first.text, "  X;", "  Y;"));
    EXPECT_EQ(second.count, 0);
}

TEST(UpdateTracking, AFixedDateLineIsRewrittenButAFreeOneKeepsItsDate) {
    const Schema s = schemaOf({"x// ==", "x// Checked %Date%", "o// Created %Date%", "x// =="});
    FixedClock day1("08.12.2026"), day2("09.12.2026");
    const PassResult first = commentWith(s, unitWith("procedure Foo;", "  X;\n"), &day1);
    const PassResult later = commentWith(s, first.text, &day2);
    EXPECT_EQ(countLines(later, "// Checked 09.12.2026"), 1);
    EXPECT_EQ(countLines(later, "// Created 08.12.2026"), 1);
    EXPECT_EQ(later.count, 1);
    expectStable(s, later, &day2);
}

// A free line that differs by its variable part (a date) must not make the
// update step over the older update lines from the wrong place.
TEST(UpdateTracking, AFreeDateLineAndHistoryStayInStepOnALaterDay) {
    const Schema s = schemaOf(
        {"x// ==", "o// Created %Date%", "x// Upd: %Update%%Date:10% %Crc%", "o//", "x// =="});
    FixedClock day1("08.12.2026"), day2("09.12.2026"), day3("10.12.2026");
    const PassResult first = commentWith(s, unitWith("procedure Foo;", "  X;\n"), &day1);
    const PassResult changed = commentWith(s, replaced(first.text, "  X;", "  Y;"), &day2);
    ASSERT_EQ(countLines(changed, "%Crc"), 0);
    EXPECT_EQ(countLines(changed, "Upd: 09.12.2026"), 1);
    expectStable(s, changed, &day3);
}

// The update line followed directly by a fixed line: the older update lines
// are stepped over, not overwritten.
TEST(UpdateTracking, AFixedLineRightBelowTheUpdateLineKeepsTheHistory) {
    const Schema s = schemaOf({"x// ==", "x// Upd: %Update%%Date:10% %Crc%", "x// =="});
    FixedClock day1("08.12.2026"), day2("09.12.2026"), day3("10.12.2026");
    PassResult r = commentWith(s, unitWith("procedure Foo;", "  X;\n"), &day1);
    r = commentWith(s, replaced(r.text, "  X;", "  Y;"), &day2);
    r = commentWith(s, replaced(r.text, "  Y;", "  Z;"), &day3);
    EXPECT_EQ(r.lines[6], "// ==");
    EXPECT_EQ(r.lines[7].substr(0, 19), "// Upd: 10.12.2026 ");
    EXPECT_EQ(r.lines[8].substr(0, 19), "//      09.12.2026 ");
    EXPECT_EQ(r.lines[9].substr(0, 19), "//      08.12.2026 ");
    EXPECT_EQ(r.lines[10], "// ==");
    EXPECT_EQ(r.lines[11], "procedure Foo;");
    expectStable(s, r, &day3);
}

TEST(UpdateTracking, AFreeUpdateLineKeepsItsHistoryInOrder) {
    const Schema s = schemaOf({"x// ==", "o// Upd: %Update%%Date:10% %Crc%", "o//", "x// =="});
    FixedClock day1("08.12.2026"), day2("09.12.2026"), day3("10.12.2026");
    PassResult r = commentWith(s, unitWith("procedure Foo;", "  X;\n"), &day1);
    r = commentWith(s, replaced(r.text, "  X;", "  Y;"), &day2);
    EXPECT_EQ(countLines(r, "// Upd: 09.12.2026"), 1);
    EXPECT_EQ(countLines(r, "//      08.12.2026"), 1);
    expectStable(s, r, &day3);
}

// The matching removes the old continuation lines of a parameter line even
// when the line is free; the new ones follow it again.
TEST(UpdateTracking, AFreeParameterLineKeepsItsContinuationLines) {
    const Schema s = schemaOf({"x// ==", "o// Params: %Parameters%", "x// =="});
    const PassResult first = commentWith(s, unitWith(kFoo, "  X;\n"));
    EXPECT_EQ(countLines(first, "var B : string"), 1);
    expectStable(s, first);
}

// A parameter line that also holds %Update is an ordinary parameter line, for
// one parameter group as for several: the header keeps no history there.
TEST(UpdateTracking, AParameterLineWithUpdateIsNotTracked) {
    const Schema s = schemaOf({"x// ==", "x// Params: %Parameters% %Update%%Crc%", "x// =="});
    for (const std::string& heading : {std::string("procedure Foo(A: Byte);"), kFoo}) {
        SCOPED_TRACE(heading);
        const PassResult first = commentWith(s, unitWith(heading, "  X;\n"));
        EXPECT_EQ(countLines(first, "%Crc"), 1);
        expectStable(s, first);
        const std::string changedBody = replaced(first.text, "  X;", "  Y;");
        EXPECT_EQ(commentWith(s, changedBody).text, changedBody);
    }
}

// Begin/end comments written by the first run are read by the second as part
// of the body; the checksum must come out the same in both.
TEST(UpdateTracking, BeginAndEndCommentsLeaveTheChecksumAlone) {
    const Schema demo = shippedSchema("Demo.cs");
    FixedClock clock;
    const PassResult first =
        commentWith(demo, unitWith(kFoo, "  X;\n"), &clock, EndCommentStyle::Brace);
    const PassResult again = commentWith(demo, first.text, &clock, EndCommentStyle::Brace);
    EXPECT_EQ(again.text, first.text);
}

// Bodies with blocks of their own get begin/end comments inside them, on the
// same line as other ends too; a re-run reads them and must still find the
// body unchanged, while a real change is still seen.
TEST(UpdateTracking, BlockCommentsInsideTheBodyKeepItsChecksum) {
    const Schema demo = shippedSchema("Demo.cs");
    FixedClock clock;
    const std::string body = "  for I := 1 to 3 do\n  begin\n    try X; finally Y; end; end;\n"
                             "  case K of\n    1: begin Z; end;\n  end;\n";
    for (EndCommentStyle style :
         {EndCommentStyle::Line, EndCommentStyle::Brace, EndCommentStyle::Paren}) {
        SCOPED_TRACE(static_cast<int>(style));
        const PassResult first = commentWith(demo, unitWith(kFoo, body), &clock, style);
        const PassResult second = commentWith(demo, first.text, &clock, style);
        EXPECT_EQ(second.text, first.text);
        EXPECT_EQ(second.count, 0);
        const PassResult changed =
            commentWith(demo, replaced(first.text, "Z;", "Z2;"), &clock, style);
        EXPECT_EQ(countLines(changed, "Crc "), 2);
    }
}

} // namespace
} // namespace qw::test
