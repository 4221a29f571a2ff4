// Whole units through the pass: each golden file holds an input and, after a
// separator line each, the expected text of commenting with the default
// schema and no end comments, of commenting with brace end comments, and of
// cleaning. With QW_REGENERATE_GOLDEN set the expected parts are written anew
// (see scripts/regenerate-golden); review the difference before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "schema/SchemaFile.h"
#include "support/PassRunner.h"

namespace qw::test {
namespace {

const std::string kNoEndComments = "----- comment, no end comments -----\n";
const std::string kBraceEndComments = "----- comment, brace end comments -----\n";
const std::string kClean = "----- clean -----\n";

std::filesystem::path goldenDir() {
    return std::filesystem::path(QW_TEST_DIR) / "engine" / "golden";
}

std::vector<std::string> goldenFiles() {
    return goldenFilesIn(goldenDir().string());
}

struct Golden {
    std::string input, noEndComments, braceEndComments, clean;
};

bool splitGolden(const std::string& content, Golden& g) {
    const std::size_t a = content.find(kNoEndComments);
    const std::size_t b = content.find(kBraceEndComments);
    const std::size_t c = content.find(kClean);
    if (a == std::string::npos || b == std::string::npos || c == std::string::npos ||
        !(a < b && b < c))
        return false;
    g.input = content.substr(0, a);
    g.noEndComments = content.substr(a + kNoEndComments.size(), b - a - kNoEndComments.size());
    g.braceEndComments =
        content.substr(b + kBraceEndComments.size(), c - b - kBraceEndComments.size());
    g.clean = content.substr(c + kClean.size());
    return true;
}

PassResult comment(const std::string& text, EndCommentStyle style) {
    static const Schema demo =
        loadSchema(readTextFile(std::string(QW_SOURCE_DIR) + "/schemas/Demo.cs"));
    FixedClock clock;
    PassOptions options;
    options.style = style;
    options.schema = demo;
    options.coderName = "Ann";
    options.clock = &clock;
    ScriptedHost host(Button::Ignore);
    return runPass(text, options, &host);
}

// Comments once, checks that a second run changes nothing and that cleaning
// the result is cleaning the input; returns the first output.
std::string commentStably(const std::string& input, EndCommentStyle style) {
    const PassResult once = comment(input, style);
    EXPECT_FALSE(once.aborted);
    EXPECT_TRUE(once.messages.empty()) << once.messages.front().text;
    const PassResult again = comment(once.text, style);
    EXPECT_EQ(again.text, once.text) << "a second run changed the text";
    EXPECT_EQ(again.count, 0);
    EXPECT_EQ(cleanText(once.text).text, cleanText(input).text);
    return once.text;
}

class GoldenUnit : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenUnit, CommentsAndCleansAsRecordedAndStably) {
    const std::filesystem::path path = goldenDir() / GetParam();
    Golden g;
    ASSERT_TRUE(splitGolden(readTextFile(path.string()), g)) << "separators missing in " << path;
    const std::string none = commentStably(g.input, EndCommentStyle::None);
    const std::string brace = commentStably(g.input, EndCommentStyle::Brace);
    const PassResult clean = cleanText(g.input);
    EXPECT_FALSE(clean.aborted);
    if (std::getenv("QW_REGENERATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << g.input << kNoEndComments << none
                                              << kBraceEndComments << brace << kClean << clean.text;
        return;
    }
    EXPECT_EQ(none, g.noEndComments);
    EXPECT_EQ(brace, g.braceEndComments);
    EXPECT_EQ(clean.text, g.clean);
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenUnit, ::testing::ValuesIn(goldenFiles()),
                         [](const auto& row) { return goldenTestName(row.param); });

} // namespace
} // namespace qw::test
