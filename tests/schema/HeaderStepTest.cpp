#include <gtest/gtest.h>

#include "SchemaTestSupport.h"
#include "schema/HeaderStep.h"
#include "schema/HeadingLine.h"

namespace qw::test {
namespace {

struct HeadingCase {
    const char* name;
    std::vector<std::string> lines;
    int expected;
};

class HeadingCases : public ::testing::TestWithParam<HeadingCase> {};

TEST_P(HeadingCases, FindTheHeadingLine) {
    FakePassServices pass;
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

// Sets the state the pass has at the ";" of a heading.
void atHeading(FakePassServices& pass, std::vector<std::string> lines, std::string name,
               int declColumn, std::string params = "-", std::string result = "-") {
    pass.setLines(lines);
    PassState& s = pass.state();
    s.routineName = std::move(name);
    s.paramText = std::move(params);
    s.resultType = std::move(result);
    s.declColumn = declColumn;
    s.blockDepth = 3;
}

const Schema kSchema = schemaOf({"x// ====", "x// %FuncName% (%Parameters%): %Result%",
                                 "x// upd %Update%%Date:10% %Crc%", "o//", "x// ===="});

TEST(PlaceHeader, InsertsAWholeHeaderAboveTheHeadingAsOneComment) {
    FakePassServices pass;
    FixedClock clock("08.12.2026");
    HeaderStep step(kSchema, "Ann", &clock);
    atHeading(pass, {"implementation", "", "function Foo(A: Byte): Byte;"}, "Foo", 0, "A : Byte",
              "Byte");
    step.placeHeader(pass);
    EXPECT_EQ(pass.editor().lines(),
              (std::vector<std::string>{"implementation", "", "// ====", "// Foo (A : Byte): Byte",
                                        "// upd 08.12.2026 %Crc%", "//",
                                        "// ====", "function Foo(A: Byte): Byte;"}));
    EXPECT_EQ(pass.commentCount, 1);
    EXPECT_EQ(pass.editor().marks(),
              (std::vector<CommentMark>{{2, 0, 7}, {3, 0, 23}, {4, 0, 23}, {5, 0, 2}, {6, 0, 7}}));
    EXPECT_EQ(pass.state().frameStack, (std::vector<std::string>{"-4", "Foo", "3"}));
}

// Update lines of routines still open move with the lines a later header
// inserts above them; records of no line stay as they are.
TEST(PlaceHeader, PendingUpdateLinesMoveWithTheEdits) {
    FakePassServices pass;
    HeaderStep step(kSchema, "Ann", nullptr);
    atHeading(pass, {"implementation", "procedure Outer;", "x", "function Foo: Byte;", "y"}, "Foo",
              0);
    pass.state().frameStack = {"-0", "A", "3", "-4,D12,I2", "B", "3", "-", "C", "3"};
    step.placeHeader(pass, {0, 3, 6});
    EXPECT_EQ(pass.state().frameStack,
              (std::vector<std::string>{"-0", "A", "3", "-9,D12,I2", "B", "3", "-", "C", "3", "-5",
                                        "Foo", "3"}));
    EXPECT_EQ(pass.editor().line(9), "y");
}

// A pending update line that was never settled is taken over by the header
// updated in place: it is the new header's now, and the open routine's record
// no longer names it (settling it twice would remove it).
TEST(PlaceHeader, AnUpdateLineTakenOverIsNoLongerPending) {
    FakePassServices pass;
    FixedClock clock("08.12.2026");
    HeaderStep step(kSchema, "Ann", &clock);
    atHeading(pass,
              {"implementation", "// ====", "// Foo (-): -", "// upd 08.12.2026 %Crc%", "//",
               "// ====", "procedure Foo;"},
              "Foo", 0);
    pass.state().frameStack = {"-3", "Outer", "3"};
    step.placeHeader(pass, {0});
    const std::vector<std::string>& f = pass.state().frameStack;
    ASSERT_EQ(f.size(), 6u);
    EXPECT_EQ(f[0], "-");
    EXPECT_EQ(f[3].substr(0, 3), "-3,");
}

TEST(PlaceHeader, IndentsByTheHeadingsColumn) {
    FakePassServices pass;
    HeaderStep step(kSchema, "Ann", nullptr);
    atHeading(pass, {"var", "  V: Integer;", "  procedure Inner;"}, "Inner", 2);
    step.placeHeader(pass);
    const std::vector<std::string> lines = pass.editor().lines();
    ASSERT_EQ(lines.size(), 8u);
    for (int i = 2; i < 7; ++i)
        EXPECT_EQ(lines[i].substr(0, 4), "  //") << lines[i];
    EXPECT_EQ(lines[7], "  procedure Inner;");
}

TEST(PlaceHeader, WithoutAHeadingLineTheHeaderGoesToTheTop) {
    FakePassServices pass;
    HeaderStep step(kSchema, "Ann", nullptr);
    atHeading(pass, {"Foo;"}, "Foo", 0);
    step.placeHeader(pass);
    EXPECT_EQ(pass.editor().count(), 6);
    EXPECT_EQ(pass.editor().line(0), "// ====");
    EXPECT_EQ(pass.editor().line(5), "Foo;");
    EXPECT_EQ(pass.state().frameStack.front(), "-2");
}

TEST(PlaceHeader, AnEmptySchemaInsertsNothingButStillPushesTheFrame) {
    FakePassServices pass;
    const Schema empty;
    HeaderStep step(empty, "Ann", nullptr);
    atHeading(pass, {"implementation", "procedure Foo;"}, "Foo", 0);
    step.placeHeader(pass);
    EXPECT_EQ(pass.editor().count(), 2);
    EXPECT_EQ(pass.commentCount, 0);
    EXPECT_EQ(pass.state().frameStack, (std::vector<std::string>{"-", "Foo", "3"}));
}

TEST(PlaceHeader, AnUpdateLineOnTheFirstSchemaLineIsNotTracked) {
    FakePassServices pass;
    const Schema s = schemaOf({"x// upd %Update%%Crc%", "x// %FuncName%"});
    HeaderStep step(s, "Ann", nullptr);
    atHeading(pass, {"implementation", "procedure Foo;"}, "Foo", 0);
    step.placeHeader(pass);
    EXPECT_EQ(pass.state().frameStack.front(), "-");
    // Again over its own result: the header is found and left as it is.
    pass.state().frameStack.clear();
    const std::vector<std::string> once = pass.editor().lines();
    step.placeHeader(pass);
    EXPECT_EQ(pass.editor().lines(), once);
    EXPECT_EQ(pass.state().frameStack.front(), "-");
}

TEST(PlaceHeader, AnExistingHeaderIsUpdatedInPlace) {
    FakePassServices pass;
    HeaderStep step(kSchema, "Ann", nullptr);
    atHeading(pass,
              {"implementation", "  // ====", "  // Foo (-): -", "  // upd            3A",
               "  // my note", "  // ====", "  procedure Foo;"},
              "Foo", 2);
    step.placeHeader(pass);
    EXPECT_EQ(pass.editor().lines(),
              (std::vector<std::string>{"implementation", "  // ====", "  // Foo (-): -",
                                        "  // upd            %Crc%", "  // upd            3A",
                                        "  // my note", "  // ====", "  procedure Foo;"}));
    EXPECT_EQ(pass.commentCount, 1);
    // q, the label's last column (indentation + 7) and the indentation.
    EXPECT_EQ(pass.state().frameStack, (std::vector<std::string>{"-3,D9,I2", "Foo", "3"}));
}

TEST(PlaceHeader, ChangedFixedLinesAreRewrittenAndCounted) {
    FakePassServices pass;
    HeaderStep step(kSchema, "Ann", nullptr);
    atHeading(pass,
              {"// ====", "// Old (-): -", "// upd            3A", "//",
               "// ====", "function Foo: Integer;"},
              "Foo", 0, "-", "Integer");
    step.placeHeader(pass);
    EXPECT_EQ(pass.editor().line(1), "// Foo (-): Integer");
    EXPECT_TRUE(pass.editor().isMarked(1, 0));
    EXPECT_EQ(pass.commentCount, 2); // the rewritten line and the new update line
}

} // namespace
} // namespace qw::test
