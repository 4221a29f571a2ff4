#include <gtest/gtest.h>

#include "schema/SchemaFile.h"
#include "schema/SchemaMarkers.h"

namespace qw::test {
namespace {

TEST(SchemaMarkers, MarkersSetTheFlagAndAreRemoved) {
    const Schema s =
        parseSchemaMarkers({"x// fixed", "o// free", "// no marker", "", "xx", "X up"});
    EXPECT_EQ(s.lines,
              (std::vector<std::string>{"// fixed", "// free", "// no marker", "", "x", "X up"}));
    EXPECT_EQ(s.fixed, (std::vector<bool>{true, false, false, false, true, false}));
}

TEST(SchemaMarkers, SavingPutsAMarkerOnEveryLine) {
    const Schema s = parseSchemaMarkers({"x// a", "// b", ""});
    EXPECT_EQ(addSchemaMarkers(s), (std::vector<std::string>{"x// a", "o// b", "o"}));
}

TEST(SchemaMarkers, EveryLineOfALongSchemaKeepsItsFlag) {
    std::vector<std::string> lines;
    for (int i = 0; i < 250; ++i)
        lines.push_back((i % 3 == 0 ? "x" : "o") + std::to_string(i));
    const Schema s = parseSchemaMarkers(lines);
    ASSERT_EQ(s.fixed.size(), 250u);
    EXPECT_TRUE(s.isFixed(249));
    EXPECT_FALSE(s.isFixed(248));
    EXPECT_EQ(s.lines[249], "249");
    EXPECT_EQ(addSchemaMarkers(s), lines);
}

TEST(SchemaFile, AcceptsEveryLineBreak) {
    EXPECT_EQ(splitSchemaLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitSchemaLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitSchemaLines("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitSchemaLines("a\r"), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(splitSchemaLines("").empty());
}

TEST(SchemaFile, LoadingAndSavingAMarkedFileReproducesIt) {
    const std::string bytes = "x// %FuncName%\r\no// notes\r\no\r\nx// end\r\n";
    const Schema s = loadSchema(bytes);
    EXPECT_EQ(s.lines.size(), 4u);
    EXPECT_TRUE(s.isFixed(0));
    EXPECT_FALSE(s.isFixed(2));
    EXPECT_EQ(schemaFileText(s), bytes);
}

TEST(SchemaFile, WritesCrLfAndMarkersWhateverItRead) {
    EXPECT_EQ(schemaFileText(loadSchema("x// a\n// b\rob")), "x// a\r\no// b\r\nob\r\n");
}

TEST(SchemaFile, BytesAreKeptAsTheyAre) {
    const std::string latin1 = "x// Gr\xFC\xDF"
                               "e\r\n";
    EXPECT_EQ(loadSchema(latin1).lines[0], "// Gr\xFC\xDF"
                                           "e");
    EXPECT_EQ(schemaFileText(loadSchema(latin1)), latin1);
}

} // namespace
} // namespace qw::test
