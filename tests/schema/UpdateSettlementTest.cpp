#include <gtest/gtest.h>

#include "SchemaTestSupport.h"
#include "schema/HeaderStep.h"

namespace qw::test {
namespace {

class FinishUpdate : public ::testing::Test {
protected:
    void settle(const std::string& record, int checksum) {
        pass.state().lineChecksum = checksum;
        step.finishUpdate(record, pass);
    }
    FakePassServices pass;
    Schema schema;
    HeaderStep step{schema, "Ann", nullptr};
};

TEST_F(FinishUpdate, WritesTheChecksumAsTwoUpperCaseHexDigits) {
    pass.setLines({"// a", "// upd %Crc% x", "// end", "procedure P;"});
    pass.commentCount = 1;
    settle("-1", 0xAB);
    EXPECT_EQ(pass.editor().line(1), "// upd AB x");
    EXPECT_EQ(pass.shifted, std::vector<int>{1});
    EXPECT_EQ(pass.commentCount, 1);
}

TEST_F(FinishUpdate, WithoutCrcTheFirstTwoCharactersAreCompared) {
    pass.setLines({"// upd x", "// end", "procedure P;"});
    pass.commentCount = 1;
    settle("-0", 0xAB);
    EXPECT_EQ(pass.editor().lines(), (std::vector<std::string>{"// end", "procedure P;"}));
    EXPECT_EQ(pass.commentCount, 0);
}

TEST_F(FinishUpdate, PadsTheChecksumToTheWidthField) {
    pass.setLines({"// upd %Crc:4%|", "procedure P;"});
    settle("-0", 7);
    EXPECT_EQ(pass.editor().line(0), "// upd 07  |");
}

TEST_F(FinishUpdate, AnUnchangedBodyRemovesTheNewLineAgain) {
    pass.setLines({"// ==", "// Updated: 09.12. %Crc%", "// Updated: 08.12. 3A", "// ==", "begin"});
    pass.commentCount = 5;
    settle("-1,D11", 0x3A);
    EXPECT_EQ(pass.editor().lines(),
              (std::vector<std::string>{"// ==", "// Updated: 08.12. 3A", "// ==", "begin"}));
    EXPECT_EQ(pass.commentCount, 4);
    EXPECT_TRUE(pass.shifted.empty());
}

TEST_F(FinishUpdate, AChangedBodyKeepsTheNewLineAndBlanksTheOldLabel) {
    pass.setLines({"// Updated: 09.12. %Crc%", "// Updated: 08.12. 3A", "begin"});
    settle("-0,D11", 0x3B);
    EXPECT_EQ(pass.editor().lines(), (std::vector<std::string>{"// Updated: 09.12. 3B",
                                                               "//          08.12. 3A", "begin"}));
    EXPECT_EQ(pass.shifted, std::vector<int>{0});
}

TEST_F(FinishUpdate, BlankingKeepsTheIndentationAndTheOpener) {
    pass.setLines({"    // Updated: 09.12. %Crc%", "    // Updated: 08.12. 3A", "    begin"});
    settle("-0,D15,I4", 0x3B);
    EXPECT_EQ(pass.editor().line(1), "    //          08.12. 3A");
}

TEST_F(FinishUpdate, OnlyAPreviousUpdateLineLosesItsLabel) {
    pass.setLines({"// Updated: 09.12. %Crc%", "procedure Foo(A: Integer);", "begin"});
    settle("-0,D11", 0x3B);
    EXPECT_EQ(pass.editor().line(1), "procedure Foo(A: Integer);");
    pass.setLines({"  // Updated: 09.12. %Crc%", "  // Result:  Integer", "  begin"});
    settle("-0,D13,I2", 0x3B);
    EXPECT_EQ(pass.editor().line(1), "  // Result:  Integer");
}

TEST_F(FinishUpdate, TheLabelEndIsLoweredToTheLineLength) {
    pass.setLines({"// U %Crc%", "// U", "begin"});
    settle("-0,D40", 1);
    EXPECT_EQ(pass.editor().line(1), "//  ");
}

TEST_F(FinishUpdate, NoLabelIsBlankedBelowColumnThree) {
    pass.setLines({"%Crc% new", "7F old", "begin"});
    settle("-0,D-1", 1);
    EXPECT_EQ(pass.editor().lines(), (std::vector<std::string>{"01 new", "7F old", "begin"}));
}

TEST_F(FinishUpdate, NothingForADashOrANegativeLine) {
    pass.setLines({"// upd %Crc%", "begin"});
    settle("-", 1);
    settle("--1,D5", 1);
    settle("-7", 1); // beyond the text
    EXPECT_EQ(pass.editor().lines(), (std::vector<std::string>{"// upd %Crc%", "begin"}));
    EXPECT_TRUE(pass.badNumbers.empty());
}

TEST_F(FinishUpdate, NumbersThatAreNotDecimalAreReported) {
    pass.setLines({"// upd %Crc%", "begin"});
    settle("-x,D5", 1);
    EXPECT_EQ(pass.badNumbers, std::vector<std::string>{"x"});
    // The line counts as 0.
    EXPECT_EQ(pass.editor().line(0), "// upd 01");
}

} // namespace
} // namespace qw::test
