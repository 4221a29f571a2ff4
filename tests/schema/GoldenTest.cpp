#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "SchemaTestSupport.h"

namespace qw::test {
namespace {

// A golden file holds the input, this separator line and the expected output.
// The part of its name before the first "_" names the shipped schema. With
// QW_REGENERATE_GOLDEN set the expected part is written anew (see
// scripts/regenerate-golden); review the difference before committing it.
const std::string kSeparator = "----- expected -----\n";

std::filesystem::path goldenDir() {
    return std::filesystem::path(QW_TEST_DIR) / "schema" / "golden";
}

std::vector<std::string> goldenFiles() {
    return goldenFilesIn(goldenDir().string());
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, CommentsAsRecordedAndAgainWithoutChange) {
    const std::filesystem::path path = goldenDir() / GetParam();
    const std::string content = readTextFile(path.string());
    const std::size_t cut = content.find(kSeparator);
    ASSERT_NE(cut, std::string::npos) << "no separator in " << path;
    const std::string input = content.substr(0, cut);
    const Schema schema = shippedSchema(GetParam().substr(0, GetParam().find('_')) + ".cs");
    ASSERT_FALSE(schema.empty());

    const PassResult result = commentWith(schema, input);
    EXPECT_FALSE(result.aborted);
    if (std::getenv("QW_REGENERATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << input << kSeparator << result.text;
        return;
    }
    EXPECT_EQ(result.text, content.substr(cut + kSeparator.size()));
    // Every update line is settled by the end of the pass, its routine's end
    // seen or not.
    if (input.find("%Crc") == std::string::npos) {
        EXPECT_EQ(result.text.find("%Crc"), std::string::npos);
    }
    const PassResult again = commentWith(schema, result.text);
    EXPECT_EQ(again.text, result.text);
    EXPECT_EQ(again.count, 0);
}

INSTANTIATE_TEST_SUITE_P(Files, Golden, ::testing::ValuesIn(goldenFiles()),
                         [](const auto& row) { return goldenTestName(row.param); });

} // namespace
} // namespace qw::test
