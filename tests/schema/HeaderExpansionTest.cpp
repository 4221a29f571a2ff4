#include <gtest/gtest.h>

#include "SchemaTestSupport.h"
#include "schema/HeaderExpansion.h"

namespace qw::test {
namespace {

// Counts its readings so that the tests can tell when it was asked.
class CountingClock : public Clock {
public:
    std::string shortDate() override { return "D" + std::to_string(++dates); }
    std::string longTime() override { return "T" + std::to_string(++times); }
    int dates = 0;
    int times = 0;
};

HeadingValues values(std::string params = "-", std::string result = "-") {
    return {"Foo", std::move(result), std::move(params), "Ann"};
}

TEST(ExpandHeader, ReplacesThePlaceholdersAndLeavesCrcAndDoublePercent) {
    FixedClock clock("08.12.2026", "10:30:00");
    const Schema s = schemaOf({"x// %FuncName% (%Result%) %Parameters%",
                               "o// %Date% %Time% by %Coder%", "x// 100%% %Update%%Crc%"});
    const ExpandedHeader h = expandHeader(s, values("A : Integer", "Boolean"), &clock);
    EXPECT_EQ(h.lines,
              (std::vector<std::string>{"// Foo (Boolean) A : Integer",
                                        "// 08.12.2026 10:30:00 by Ann", "// 100%% %Crc%"}));
    EXPECT_EQ(h.updateSchemaIndex, 2);
    EXPECT_EQ(h.updateHeaderIndex, 2);
}

TEST(ExpandHeader, ReadsTheClockForEachLineThatAsks) {
    CountingClock clock;
    const Schema s = schemaOf({"x%Date% %Time%", "x-", "x%Date%"});
    const ExpandedHeader h = expandHeader(s, values(), &clock);
    EXPECT_EQ(h.lines, (std::vector<std::string>{"D1 T1", "-", "D2"}));
}

TEST(ExpandHeader, WithoutAClockDateAndTimeAreEmpty) {
    const Schema s = schemaOf({"x[%Date%|%Time%]"});
    EXPECT_EQ(expandHeader(s, values(), nullptr).lines, std::vector<std::string>{"[|]"});
}

TEST(ExpandHeader, ACoderHoldingAPlaceholderEnds) {
    const Schema s = schemaOf({"x// %Coder% %Coder%"});
    HeadingValues v = values();
    v.coderName = "%Coder%";
    EXPECT_EQ(expandHeader(s, v, nullptr).lines, std::vector<std::string>{"// %Coder% %Coder%"});
}

// The placeholders go in one after the other, each everywhere in the line
// before the next: a value can bring in a later placeholder, and one closed by
// the percent sign of the next takes that one with it. The expansion looks
// only for the placeholders a schema line holds, or puts all values in at
// once, where neither can happen.
TEST(ExpandHeader, PlaceholdersGoInOneAfterTheOther) {
    struct Row {
        const char* schemaLine;
        const char* routine;
        const char* coder;
        const char* date;
        const char* expected;
        int updateSchemaIndex;
    };
    const Row rows[] = {
        // a value with a percent sign
        {"x// %Coder%", "Foo", "%Result", "D", "// -", -1},
        {"x// %Coder% %Update%", "Foo", "%Parameters", "D", "// -", -1},
        // a name begun in the line and completed by a value
        {"x%Upd%FuncName%", "ate", "Ann", "D", "", 0},
        {"x%%FuncName% %Coder%", "Result", "Ann", "D", "-", -1},
        {"x// %%Coder%", "Foo", "Result", "D", "// -", -1},
        // "%Time" takes the closing percent sign of %Update, whose width then
        // is read from the time "10:30"
        {"x%Update%%Date:10%|", "Foo", "Ann", "Time", "                              ", 0},
        // a placeholder closed by the next one's percent sign
        {"x%Coder%Result%", "Foo", "Ann", "D", "AnnResult%", -1},
        // nothing brought in
        {"x// %FuncName% %Coder%", "Foo", "Ann", "D", "// Foo Ann", -1},
        {"x%Update%%Date:10%|", "Foo", "Ann", "08.12.2026", "08.12.2026|", 0},
        {"x%Date:4%|%Coder%|%FuncName:5%", "Foo", "Ann", "D", "D   |Ann|Foo  ", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.schemaLine);
        FixedClock clock(row.date, "10:30");
        HeadingValues v = values();
        v.routineName = row.routine;
        v.coderName = row.coder;
        const ExpandedHeader h = expandHeader(schemaOf({row.schemaLine}), v, &clock);
        EXPECT_EQ(h.lines, std::vector<std::string>{row.expected});
        EXPECT_EQ(h.updateSchemaIndex, row.updateSchemaIndex);
    }
}

TEST(ExpandHeader, LineBreaksInValuesBecomeBlanks) {
    FixedClock clock("08.\n12.", "10:30\r");
    const Schema s = schemaOf({"x// %Coder% %Date% %Time%", "x// %Parameters%"});
    HeadingValues v = values("A\r B\n");
    v.coderName = "Ann\r\nBob";
    EXPECT_EQ(expandHeader(s, v, &clock).lines,
              (std::vector<std::string>{"// Ann  Bob 08. 12. 10:30 ", "// A    ", "// B    "}));
}

TEST(ExpandHeader, TheLastUpdateLineCounts) {
    const Schema s = schemaOf({"x%Update%a", "x%Parameters%", "o%Update%b"});
    const ExpandedHeader h = expandHeader(s, values("A\r B"), nullptr);
    EXPECT_EQ(h.updateSchemaIndex, 2);
    EXPECT_EQ(h.updateHeaderIndex, 3); // after the two lines of the parameters
    EXPECT_EQ(h.schemaLineStart, (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(h.continuationLines(1), 1);
    EXPECT_EQ(h.continuationLines(2), 0);
}

TEST(ExpandHeader, AnUnclosedPlaceholderSwallowsTheUpdatePlaceholder) {
    const Schema s = schemaOf({"x// %Date %Update%"});
    const ExpandedHeader h = expandHeader(s, values(), nullptr);
    EXPECT_EQ(h.updateSchemaIndex, -1);
    EXPECT_EQ(h.lines, std::vector<std::string>{"// Update%"});
}

TEST(ExpandHeader, AnEmptySchemaGivesNoLines) {
    const ExpandedHeader h = expandHeader(Schema{}, values(), nullptr);
    EXPECT_TRUE(h.lines.empty());
    EXPECT_EQ(h.updateSchemaIndex, -1);
    EXPECT_EQ(h.updateHeaderIndex, -1);
}

TEST(ExpandHeader, WorkedExampleOfTheBoxedParameterLines) {
    const Schema s = schemaOf({"x(* Parameters: %Parameters:30% *)", "x(* end *)"});
    const ExpandedHeader h = expandHeader(s, values("const A : Integer\r var B : string"), nullptr);
    ASSERT_EQ(h.lines.size(), 3u);
    EXPECT_EQ(h.lines[0], "(* Parameters: const A : Integer              *)");
    EXPECT_EQ(h.lines[1], "(*             var B : string                 *)");
    EXPECT_EQ(h.lines[0].size(), 48u);
    EXPECT_EQ(h.lines[1].size(), 48u);
    EXPECT_EQ(h.lines[2], "(* end *)");
}

// A line with both the parameters and the update placeholder is a parameter
// line only: its %Update text goes, and it is not tracked.
TEST(ExpandHeader, AParameterLineIsNeverTheUpdateLine) {
    const Schema s = schemaOf({"x// top", "x// P: %Parameters:6% %Update%|"});
    const ExpandedHeader multi = expandHeader(s, values("A\r B"), nullptr);
    EXPECT_EQ(multi.lines,
              (std::vector<std::string>{"// top", "// P: A      |", "//    B      |"}));
    EXPECT_EQ(multi.updateSchemaIndex, -1);
    EXPECT_EQ(multi.updateHeaderIndex, -1);
    const ExpandedHeader single = expandHeader(s, values("A"), nullptr);
    EXPECT_EQ(single.lines, (std::vector<std::string>{"// top", "// P: A      |"}));
    EXPECT_EQ(single.updateSchemaIndex, -1);
    // An update line elsewhere is still the update line.
    const Schema both = schemaOf({"x// top", "x// P: %Parameters% %Update%", "x// u %Update%"});
    EXPECT_EQ(expandHeader(both, values("A\r B"), nullptr).updateSchemaIndex, 2);
}

} // namespace
} // namespace qw::test
