#include <gtest/gtest.h>

#include "SchemaTestSupport.h"
#include "schema/HeaderStep.h"
#include "schema/HeadingLine.h"
#include "schema/RoutineHeading.h"

namespace qw::test {
namespace {

struct HeadingCase {
    const char* name;
    std::vector<std::string> lines;
    int expected;
};

class HeadingCases : public ::testing::TestWithParam<HeadingCase> {};

TEST_P(HeadingCases, FindTheHeadingLine) {
    FakeHeaderHost pass;
    pass.setLines(GetParam().lines);
    EXPECT_EQ(findHeadingLine(pass.editor()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeadingCases,
    ::testing::Values(
        HeadingCase{"OnTheLastLine", {"implementation", "", "procedure Foo;"}, 2},
        HeadingCase{
            "HeadingOverTwoLines", {"unit U;", "function F(A: Integer;", " B: Byte): Byte;"}, 1},
        HeadingCase{"AnyLetterCase", {"x", "CONSTRUCTOR TFoo.Create;"}, 1},
        HeadingCase{"ClassMethodThroughItsSecondWord", {"x", "class destructor TFoo.Done;"}, 1},
        HeadingCase{"NearestFromTheBottom", {"x", "procedure A;", "function B: Integer;"}, 2},
        HeadingCase{"PartOfAWordDoesNotCount", {"x", "Procedures := 1;"}, 0},
        HeadingCase{
            "TabsPartWordsAsBlanksDo", {"x", "function A: Byte;", "\t\tprocedure\tFoo;"}, 2},
        HeadingCase{"LineZeroIsNeverExamined", {"procedure Foo;", "begin"}, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(BeginsRoutineHeading, ByItsFirstWord) {
    EXPECT_TRUE(beginsRoutineHeading("procedure Foo;"));
    EXPECT_TRUE(beginsRoutineHeading("  Function F: Integer;"));
    EXPECT_TRUE(beginsRoutineHeading("class procedure TFoo.Bar;"));
    EXPECT_TRUE(beginsRoutineHeading("\tconstructor Create;"));
    EXPECT_TRUE(beginsRoutineHeading("destructor"));
    EXPECT_FALSE(beginsRoutineHeading("(* procedure Foo *)"));
    EXPECT_FALSE(beginsRoutineHeading("// function"));
    EXPECT_FALSE(beginsRoutineHeading("procedures := 1;"));
    EXPECT_FALSE(beginsRoutineHeading("class(TObject)"));
    EXPECT_FALSE(beginsRoutineHeading(""));
}

// The text as the pass has it at the ";" of a heading, and that heading.
RoutineHeading atHeading(FakeHeaderHost& pass, std::vector<std::string> lines, std::string name,
                         int column, std::string params = "-", std::string result = "-") {
    pass.setLines(lines);
    return {std::move(name), std::move(result), std::move(params), column};
}

const Schema kSchema = schemaOf({"x// ====", "x// %FuncName% (%Parameters%): %Result%",
                                 "x// upd %Update%%Date:10% %Crc%", "o//", "x// ===="});

TEST(PlaceHeader, InsertsAWholeHeaderAboveTheHeadingAsOneComment) {
    FakeHeaderHost pass;
    FixedClock clock("08.12.2026");
    HeaderStep step(kSchema, "Ann", &clock);
    const RoutineHeading foo = atHeading(
        pass, {"implementation", "", "function Foo(A: Byte): Byte;"}, "Foo", 0, "A : Byte", "Byte");
    const UpdateRecord record = step.placeHeader(foo, pass);
    EXPECT_EQ(pass.editor().lines(),
              (std::vector<std::string>{"implementation", "", "// ====", "// Foo (A : Byte): Byte",
                                        "// upd 08.12.2026 %Crc%", "//",
                                        "// ====", "function Foo(A: Byte): Byte;"}));
    EXPECT_EQ(pass.commentCount, 1);
    EXPECT_EQ(pass.editor().marks(),
              (std::vector<CommentMark>{{2, 0, 7}, {3, 0, 23}, {4, 0, 23}, {5, 0, 2}, {6, 0, 7}}));
    EXPECT_EQ(record, UpdateRecord::forInsertedHeader(4));
}

// Update lines of routines still open move with the lines a later header
// inserts above them; records of no line stay as they are.
TEST(PlaceHeader, PendingUpdateLinesMoveWithTheEdits) {
    FakeHeaderHost pass;
    HeaderStep step(kSchema, "Ann", nullptr);
    const RoutineHeading foo = atHeading(
        pass, {"implementation", "procedure Outer;", "x", "function Foo: Byte;", "y"}, "Foo", 0);
    UpdateRecord a = UpdateRecord::forInsertedHeader(0);
    UpdateRecord b = UpdateRecord::forUpdatedHeader(4, 12, 2);
    UpdateRecord c = UpdateRecord::untracked();
    EXPECT_EQ(step.placeHeader(foo, pass, {&a, &b, &c}), UpdateRecord::forInsertedHeader(5));
    EXPECT_EQ(a, UpdateRecord::forInsertedHeader(0));
    EXPECT_EQ(b, UpdateRecord::forUpdatedHeader(9, 12, 2));
    EXPECT_EQ(c, UpdateRecord::untracked());
    EXPECT_EQ(pass.editor().line(9), "y");
}

// A pending update line that was never settled is taken over by the header
// updated in place: it is the new header's now, and the open routine's record
// no longer names it (settling it twice would remove it).
TEST(PlaceHeader, AnUpdateLineTakenOverIsNoLongerPending) {
    FakeHeaderHost pass;
    FixedClock clock("08.12.2026");
    HeaderStep step(kSchema, "Ann", &clock);
    const RoutineHeading foo =
        atHeading(pass,
                  {"implementation", "// ====", "// Foo (-): -", "// upd 08.12.2026 %Crc%", "//",
                   "// ====", "procedure Foo;"},
                  "Foo", 0);
    UpdateRecord outer = UpdateRecord::forInsertedHeader(3);
    const UpdateRecord record = step.placeHeader(foo, pass, {&outer});
    EXPECT_EQ(outer, UpdateRecord::untracked());
    EXPECT_EQ(record.line, 3);
    EXPECT_TRUE(record.labelEnd);
}

TEST(PlaceHeader, IndentsByTheHeadingsColumn) {
    FakeHeaderHost pass;
    HeaderStep step(kSchema, "Ann", nullptr);
    step.placeHeader(atHeading(pass, {"var", "  V: Integer;", "  procedure Inner;"}, "Inner", 2),
                     pass);
    const std::vector<std::string> lines = pass.editor().lines();
    ASSERT_EQ(lines.size(), 8u);
    for (int i = 2; i < 7; ++i)
        EXPECT_EQ(lines[i].substr(0, 4), "  //") << lines[i];
    EXPECT_EQ(lines[7], "  procedure Inner;");
}

TEST(PlaceHeader, WithoutAHeadingLineTheHeaderGoesToTheTop) {
    FakeHeaderHost pass;
    HeaderStep step(kSchema, "Ann", nullptr);
    const UpdateRecord record = step.placeHeader(atHeading(pass, {"Foo;"}, "Foo", 0), pass);
    EXPECT_EQ(pass.editor().count(), 6);
    EXPECT_EQ(pass.editor().line(0), "// ====");
    EXPECT_EQ(pass.editor().line(5), "Foo;");
    EXPECT_EQ(record, UpdateRecord::forInsertedHeader(2));
}

TEST(PlaceHeader, AnEmptySchemaInsertsNothingAndTracksNoLine) {
    FakeHeaderHost pass;
    const Schema empty;
    HeaderStep step(empty, "Ann", nullptr);
    const UpdateRecord record =
        step.placeHeader(atHeading(pass, {"implementation", "procedure Foo;"}, "Foo", 0), pass);
    EXPECT_EQ(pass.editor().count(), 2);
    EXPECT_EQ(pass.commentCount, 0);
    EXPECT_EQ(record, UpdateRecord::untracked());
}

TEST(PlaceHeader, AnUpdateLineOnTheFirstSchemaLineIsNotTracked) {
    FakeHeaderHost pass;
    const Schema s = schemaOf({"x// upd %Update%%Crc%", "x// %FuncName%"});
    HeaderStep step(s, "Ann", nullptr);
    const RoutineHeading foo = atHeading(pass, {"implementation", "procedure Foo;"}, "Foo", 0);
    EXPECT_EQ(step.placeHeader(foo, pass), UpdateRecord::untracked());
    // Again over its own result: the header is found and left as it is.
    const std::vector<std::string> once = pass.editor().lines();
    EXPECT_EQ(step.placeHeader(foo, pass), UpdateRecord::untracked());
    EXPECT_EQ(pass.editor().lines(), once);
}

TEST(PlaceHeader, AnExistingHeaderIsUpdatedInPlace) {
    FakeHeaderHost pass;
    HeaderStep step(kSchema, "Ann", nullptr);
    const UpdateRecord record = step.placeHeader(
        atHeading(pass,
                  {"implementation", "  // ====", "  // Foo (-): -", "  // upd            3A",
                   "  // my note", "  // ====", "  procedure Foo;"},
                  "Foo", 2),
        pass);
    EXPECT_EQ(pass.editor().lines(),
              (std::vector<std::string>{"implementation", "  // ====", "  // Foo (-): -",
                                        "  // upd            %Crc%", "  // upd            3A",
                                        "  // my note", "  // ====", "  procedure Foo;"}));
    EXPECT_EQ(pass.commentCount, 1);
    // q, the label's last column (indentation + 7) and the indentation.
    EXPECT_EQ(record, UpdateRecord::forUpdatedHeader(3, 9, 2));
}

TEST(PlaceHeader, ChangedFixedLinesAreRewrittenAndCounted) {
    FakeHeaderHost pass;
    HeaderStep step(kSchema, "Ann", nullptr);
    step.placeHeader(atHeading(pass,
                               {"// ====", "// Old (-): -", "// upd            3A", "//",
                                "// ====", "function Foo: Integer;"},
                               "Foo", 0, "-", "Integer"),
                     pass);
    EXPECT_EQ(pass.editor().line(1), "// Foo (-): Integer");
    EXPECT_TRUE(pass.editor().isMarked(1, 0));
    EXPECT_EQ(pass.commentCount, 2); // the rewritten line and the new update line
}

} // namespace
} // namespace qw::test
