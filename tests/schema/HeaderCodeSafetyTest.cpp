#include <gtest/gtest.h>

#include <algorithm>

#include "SchemaTestSupport.h"
#include "text/CodeEquivalence.h"

namespace qw::test {
namespace {

const std::string kUnit = "unit Safety;\n\ninterface\n\nimplementation\n\n"
                          "procedure Foo(X: Integer);\nbegin\n  X := 2;\nend;\n\nend.\n";

// A user's edit of header lines: `replaced` lines from the one that begins
// with `startsWith` on become `becomes` (which may hold several lines).
struct HeaderEdit {
    const char* name;
    const char* startsWith;
    const char* becomes;
    int replaced = 1;
};

void PrintTo(const HeaderEdit& edit, std::ostream* os) {
    *os << edit.name;
}

class EditedHeaderLine : public ::testing::TestWithParam<HeaderEdit> {};

std::string edited(const std::string& text, const HeaderEdit& edit) {
    std::vector<std::string> lines = splitLines(text);
    const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.rfind(edit.startsWith, 0) == 0;
    });
    EXPECT_NE(at, lines.end()) << edit.startsWith;
    if (at != lines.end()) {
        *at = edit.becomes;
        lines.erase(at + 1, at + edit.replaced);
    }
    return joinLines(splitLines(joinLines(lines)));
}

bool isSubsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
    auto w = whole.begin();
    for (const std::string& line : part) {
        w = std::find(w, whole.end(), line);
        if (w == whole.end())
            return false;
        ++w;
    }
    return true;
}

// Text above a heading that the matching reads as the routine's header but
// that is no header comment line by line: bringing it up to date in place
// would turn the user's comment text into code or drop the user's code. It
// stays as it is, every line of it, and a whole header goes in below it.
TEST_P(EditedHeaderLine, KeepsTheCodeAndEveryLineOfTheUser) {
    const HeaderEdit& edit = GetParam();
    const Schema schema = shippedSchema("Demo.cs");
    const std::string input = edited(commentWith(schema, kUnit).text, edit);

    const PassResult once = commentWith(schema, input);
    ASSERT_FALSE(once.aborted);
    const auto mismatch = findCodeMismatch(input, once.text);
    EXPECT_FALSE(mismatch) << describeCodeMismatch(*mismatch) << "\n" << once.text;
    EXPECT_TRUE(isSubsequence(splitLines(input), once.lines)) << once.text;
    EXPECT_EQ(once.count, 1);

    const PassResult twice = commentWith(schema, once.text);
    EXPECT_EQ(twice.text, once.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditedHeaderLine,
    ::testing::Values(
        // The comment a fixed line opens is closed where a free line was,
        // with code between that the fixed line's own closer would uncover.
        HeaderEdit{"FixedLineLeftOpen", "(* Routine:", "(* Routine:     Foo\n   X := 1; *)", 2},
        HeaderEdit{"ResultLineLeftOpen", "(* Result:", "(* Result:      -\n   X := 1;\n*)", 2},
        // Code behind the comment of a fixed line: a rewrite would drop it.
        HeaderEdit{"CodeBehindFixedLine", "(* Routine:", "(* Routine:     Foo *) const K = 1;"},
        HeaderEdit{"StrayCloserBehindParametersLine", "(* Parameters:",
                   "(* Parameters:  X : Integer                                   *)    *)"}),
    [](const auto& row) { return std::string(row.param.name); });

// "(*)" is a whole comment to the scanner but opens one to the language,
// which a header's "*)" further down would close: the routine gets no header.
TEST(HeaderCodeSafety, NoHeaderClosesACommentOpenedWithParenStarParen) {
    const Schema schema = shippedSchema("Demo.cs");
    const std::string input = "unit Safety;\n\ninterface\n\nimplementation\n\nconst K = 1; (*)\n\n"
                              "procedure Foo(X: Integer);\nbegin\n  X := 2;\nend;\n\nend. *)\n";
    const PassResult once = commentWith(schema, input);
    ASSERT_FALSE(once.aborted);
    const auto mismatch = findCodeMismatch(input, once.text);
    EXPECT_FALSE(mismatch) << describeCodeMismatch(*mismatch) << "\n" << once.text;
    EXPECT_EQ(once.text.find("Routine:"), std::string::npos) << once.text;
    EXPECT_EQ(commentWith(schema, once.text).text, once.text);
}

} // namespace
} // namespace qw::test
