// The report as the commenting pass writes it: at the top of the result, once
// per run, counted as one comment, also after an abort, never when cleaning.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/SourcePass.h"
#include "support/TestSupport.h"
#include "text/ResultEditor.h"

namespace qw {
namespace {

const std::vector<std::string> kUnit = {
    "unit U;",               // 1
    "interface",             // 2
    "const",                 // 3
    "  Limit = 10;",         // 4
    "var",                   // 5
    "  Count: Integer;",     // 6
    "implementation",        // 7
    "procedure Bump;",       // 8
    "begin",                 // 9
    "  Count := Count + 1;", // 10
    "end;",                  // 11
    "procedure Late;",       // 12
    "begin",                 // 13
    "  Bump;",               // 14
    "end;",                  // 15
    "end.",                  // 16
};

struct PassRun {
    std::vector<std::string> lines;
    Progress progress;
};

PassRun runPass(const std::string& text, CrossReference xref, PassMode mode = PassMode::Comment,
                int abortAtLine = 0) {
    PassOptions options;
    options.crossReference = xref;
    options.mode = mode;
    options.style = EndCommentStyle::None;
    test::ScriptedHost host;
    host.abortAtLine = abortAtLine;
    PassRun run;
    SourcePass pass(options, host, run.progress);
    ResultEditor editor;
    pass.runText("U.pas", text, editor);
    run.lines = editor.lines();
    return run;
}

int indexOf(const std::vector<std::string>& lines, const std::string& line, int from = 0) {
    auto it = std::find(lines.begin() + from, lines.end(), line);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

// The printed declaration line of the report line that starts with `prefix`.
int printedLineOf(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& l : lines)
        if (l.rfind(prefix, 0) == 0 && l.size() >= 70)
            return std::stoi(l.substr(60, 5));
    return -1;
}

int headingCount(const std::vector<std::string>& lines) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find("-declarations:") != std::string::npos;
    }));
}

TEST(XrefPass, TheReportStandsAboveTheTextAndItsNumbersPointAtTheDeclarations) {
    const PassRun off = runPass(test::joinLines(kUnit), CrossReference::Off);
    const PassRun on = runPass(test::joinLines(kUnit), CrossReference::On);
    EXPECT_EQ(headingCount(off.lines), 0);
    EXPECT_EQ(on.progress.commentCount, off.progress.commentCount + 1);

    const int n = indexOf(on.lines, "unit U;");
    ASSERT_GT(n, 4);
    EXPECT_EQ(std::vector<std::string>(on.lines.begin() + n, on.lines.end()), off.lines);
    EXPECT_EQ(on.lines[0].substr(0, 21), "{ const-declarations:");
    EXPECT_EQ(printedLineOf(on.lines, "{   Limit "), indexOf(on.lines, "  Limit = 10;") + 1);
    EXPECT_EQ(printedLineOf(on.lines, "{   Count "), indexOf(on.lines, "  Count: Integer;") + 1);
    EXPECT_EQ(printedLineOf(on.lines, "{   Late "), indexOf(on.lines, "procedure Late;") + 1);
}

TEST(XrefPass, AnEmptyFileGetsTheFourHeadingsAsOneComment) {
    const PassRun run = runPass("", CrossReference::On);
    EXPECT_EQ(run.lines.size(), 4u);
    EXPECT_EQ(headingCount(run.lines), 4);
    EXPECT_EQ(run.progress.commentCount, 1);
}

TEST(XrefPass, AnAbortedPassReportsWhatItGathered) {
    const PassRun run = runPass(test::joinLines(kUnit), CrossReference::On, PassMode::Comment, 6);
    EXPECT_TRUE(run.progress.abortRequested);
    const int n = indexOf(run.lines, "unit U;");
    ASSERT_GT(n, 0);
    EXPECT_EQ(run.lines.size(), static_cast<std::size_t>(n) + 6); // the lines read so far
    EXPECT_EQ(printedLineOf(run.lines, "{   Count "), n + 6);
    EXPECT_EQ(printedLineOf(run.lines, "{   Bump "), -1);
}

TEST(XrefPass, ASecondRunPutsANewReportAboveTheOld) {
    const PassRun first = runPass(test::joinLines(kUnit), CrossReference::On);
    const PassRun second = runPass(test::joinLines(first.lines), CrossReference::On);
    EXPECT_EQ(headingCount(second.lines), 8);
    const int oldReport = indexOf(second.lines, first.lines[0], 1);
    ASSERT_GT(oldReport, 4);
    EXPECT_EQ(std::vector<std::string>(second.lines.begin() + oldReport, second.lines.end()),
              first.lines);
    // The old report is a comment: it declares nothing, and the new numbers
    // count it as text.
    EXPECT_EQ(printedLineOf(second.lines, "{   Count "),
              indexOf(second.lines, "  Count: Integer;") + 1);
}

TEST(XrefPass, CleaningMakesNoReport) {
    const PassRun commented = runPass(test::joinLines(kUnit), CrossReference::On);
    const PassRun cleaned =
        runPass(test::joinLines(commented.lines), CrossReference::On, PassMode::Clean);
    EXPECT_EQ(headingCount(cleaned.lines), 0);
    EXPECT_EQ(indexOf(cleaned.lines, "{ const-declarations:"), -1);
}

} // namespace
} // namespace qw

namespace qw {
namespace {

// A stray closing brace in a broken type section is recorded as a symbol; its
// report line must still be one whole comment.
TEST(XrefPass, StrayBraceDoesNotEndTheReportEarly) {
    const std::string text = "type\n  T = Integer; }\nimplementation\n";
    PassRun run = runPass(text, CrossReference::On);
    for (const std::string& line : run.lines) {
        if (line.rfind("{", 0) != 0)
            continue;
        EXPECT_EQ(line.find('}'), line.size() - 1) << line;
    }
}

} // namespace
} // namespace qw
