#include <gtest/gtest.h>

#include "SchemaTestSupport.h"
#include "schema/HeaderStep.h"

namespace qw::test {
namespace {

class FinishUpdate : public ::testing::Test {
protected:
    void settle(const UpdateRecord& record, int checksum) {
        step.finishUpdate(record, {true, checksum}, pass);
    }
    FakeHeaderHost pass;
    Schema schema;
    HeaderStep step{schema, "Ann", nullptr};
};

TEST_F(FinishUpdate, WritesTheChecksumAsTwoUpperCaseHexDigits) {
    pass.setLines({"// a", "// upd %Crc% x", "// end", "procedure P;"});
    pass.commentCount = 1;
    settle(UpdateRecord::forInsertedHeader(1), 0xAB);
    EXPECT_EQ(pass.editor().line(1), "// upd AB x");
    EXPECT_EQ(pass.shifted, std::vector<int>{1});
    EXPECT_EQ(pass.commentCount, 1);
}

TEST_F(FinishUpdate, WithoutCrcTheFirstTwoCharactersAreCompared) {
    pass.setLines({"// upd x", "// end", "procedure P;"});
    pass.commentCount = 1;
    settle(UpdateRecord::forInsertedHeader(0), 0xAB);
    EXPECT_EQ(pass.editor().lines(), (std::vector<std::string>{"// end", "procedure P;"}));
    EXPECT_EQ(pass.commentCount, 0);
}

TEST_F(FinishUpdate, PadsTheChecksumToTheWidthField) {
    pass.setLines({"// upd %Crc:4%|", "procedure P;"});
    settle(UpdateRecord::forInsertedHeader(0), 7);
    EXPECT_EQ(pass.editor().line(0), "// upd 07  |");
}

TEST_F(FinishUpdate, AnUnchangedBodyRemovesTheNewLineAgain) {
    pass.setLines({"// ==", "// Updated: 09.12. %Crc%", "// Updated: 08.12. 3A", "// ==", "begin"});
    pass.commentCount = 5;
    settle(UpdateRecord::forUpdatedHeader(1, 11, 0), 0x3A);
    EXPECT_EQ(pass.editor().lines(),
              (std::vector<std::string>{"// ==", "// Updated: 08.12. 3A", "// ==", "begin"}));
    EXPECT_EQ(pass.commentCount, 4);
    EXPECT_TRUE(pass.shifted.empty());
}

TEST_F(FinishUpdate, AChangedBodyKeepsTheNewLineAndBlanksTheOldLabel) {
    pass.setLines({"// Updated: 09.12. %Crc%", "// Updated: 08.12. 3A", "begin"});
    settle(UpdateRecord::forUpdatedHeader(0, 11, 0), 0x3B);
    EXPECT_EQ(pass.editor().lines(), (std::vector<std::string>{"// Updated: 09.12. 3B",
                                                               "//          08.12. 3A", "begin"}));
    EXPECT_EQ(pass.shifted, std::vector<int>{0});
}

TEST_F(FinishUpdate, BlankingKeepsTheIndentationAndTheOpener) {
    pass.setLines({"    // Updated: 09.12. %Crc%", "    // Updated: 08.12. 3A", "    begin"});
    settle(UpdateRecord::forUpdatedHeader(0, 15, 4), 0x3B);
    EXPECT_EQ(pass.editor().line(1), "    //          08.12. 3A");
}

TEST_F(FinishUpdate, OnlyAPreviousUpdateLineLosesItsLabel) {
    pass.setLines({"// Updated: 09.12. %Crc%", "procedure Foo(A: Integer);", "begin"});
    settle(UpdateRecord::forUpdatedHeader(0, 11, 0), 0x3B);
    EXPECT_EQ(pass.editor().line(1), "procedure Foo(A: Integer);");
    pass.setLines({"  // Updated: 09.12. %Crc%", "  // Result:  Integer", "  begin"});
    settle(UpdateRecord::forUpdatedHeader(0, 13, 2), 0x3B);
    EXPECT_EQ(pass.editor().line(1), "  // Result:  Integer");
}

TEST_F(FinishUpdate, TheLabelEndIsLoweredToTheLineLength) {
    pass.setLines({"// U %Crc%", "// U", "begin"});
    settle(UpdateRecord::forUpdatedHeader(0, 40, 0), 1);
    EXPECT_EQ(pass.editor().line(1), "//  ");
}

TEST_F(FinishUpdate, NoLabelIsBlankedBelowColumnThree) {
    pass.setLines({"%Crc% new", "7F old", "begin"});
    settle(UpdateRecord::forUpdatedHeader(0, -1, 0), 1);
    EXPECT_EQ(pass.editor().lines(), (std::vector<std::string>{"01 new", "7F old", "begin"}));
}

TEST_F(FinishUpdate, NothingForAnUntrackedOrANegativeLine) {
    pass.setLines({"// upd %Crc%", "begin"});
    settle(UpdateRecord::untracked(), 1);
    settle(UpdateRecord::forUpdatedHeader(-1, 5, 0), 1);
    settle(UpdateRecord::forInsertedHeader(7), 1); // beyond the text
    EXPECT_EQ(pass.editor().lines(), (std::vector<std::string>{"// upd %Crc%", "begin"}));
}

} // namespace
} // namespace qw::test
