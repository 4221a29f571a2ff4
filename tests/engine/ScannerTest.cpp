#include <gtest/gtest.h>

#include "engine/ProjectLists.h"
#include "engine/SourcePass.h"
#include "support/PassRunner.h"

namespace qw::test {
namespace {

class TokenTrace : public TokenObserver {
public:
    void token(std::string_view token, int, int) override { tokens.emplace_back(token); }
    std::vector<std::string> tokens;
};

std::vector<std::string> tokensOf(const std::string& input) {
    TokenTrace trace;
    PassOptions options;
    options.tokenObserver = &trace;
    runPass(input, options);
    return trace.tokens;
}

struct TokenCase {
    const char* name;
    const char* input;
    std::vector<std::string> tokens;
};

class ScannerTokens : public ::testing::TestWithParam<TokenCase> {};

TEST_P(ScannerTokens, GivesTheseTokens) {
    EXPECT_EQ(tokensOf(GetParam().input), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScannerTokens,
    ::testing::Values(
        TokenCase{"AssignWithoutBlanks", "x:=1", {"x", ":="}},
        TokenCase{"AssignWithBlankTakesOneCharacterOnly", "x : = 1", {"x", ":=", "="}},
        TokenCase{"ColonAlone", "Write(X:5)", {"Write", "(", "X", ":", ")"}},
        TokenCase{"WordBeforeBraceComment", "end{note}", {"end"}},
        TokenCase{"WordBeforeParenComment", "end(*note*)", {"end"}},
        TokenCase{"ParenStarParenIsAWholeComment", "a (*) b", {"a", "b"}},
        TokenCase{"DoubledQuoteStaysInString", "s := 'it''s'; t", {"s", ":=", ";", "t"}},
        TokenCase{"NumbersGiveNoToken", "x := 42 + 7", {"x", ":=", "+"}},
        TokenCase{"DigitsInsideWords", "Form1 2x", {"Form1", "x"}},
        TokenCase{"HexConstant", "c := $FF;", {"c", ":=", "$", "FF", ";"}},
        TokenCase{"LineCommentEndsScan", "a // b c", {"a"}},
        TokenCase{"SingleSlashIsNoToken", "a / b", {"a", "b"}},
        TokenCase{"WordEndingTheLine", "begin\nend", {"begin", "end"}},
        TokenCase{"OneLetterWordAtLineEnd", "x := y", {"x", ":=", "y"}},
        TokenCase{"BytesAbove127AreTokens", "a\xC3\xA4", {"a", "\xC3", "\xA4"}},
        TokenCase{"CommentOverTwoLines", "a { b\nc } d", {"a", "d"}},
        TokenCase{"TabSeparates", "a\tb", {"a", "b"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Scanner, KeywordsInAnyLetterCase) {
    const std::string lower = "implementation\nprocedure P;\nbegin\nend;\n";
    const std::string upper = "IMPLEMENTATION\nPROCEDURE P;\nBEGIN\nEND;\n";
    const std::string mixed = "Implementation\nProcedure P;\nBegin\nEnd;\n";
    EXPECT_EQ(commentText(lower).count, 2);
    EXPECT_EQ(commentText(upper).count, 2);
    EXPECT_EQ(commentText(mixed).count, 2);
    EXPECT_EQ(commentText(upper).lines[2], "BEGIN { P }");
}

TEST(Scanner, StringOverTwoLinesWithIgnoreGoesOnInsideTheString) {
    ScriptedHost host(Button::Ignore);
    PassOptions options;
    TokenTrace trace;
    options.tokenObserver = &trace;
    PassResult r = runPass("s := 'open\nstill' x\nnext\n", options, &host);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "Error: String exceeds line in source file test.pas at line 1.");
    EXPECT_EQ(r.messages[0].kind, DialogKind::Warning);
    EXPECT_EQ(r.messages[0].buttons, (std::vector<Button>{Button::Abort, Button::Ignore}));
    EXPECT_FALSE(r.aborted);
    EXPECT_EQ(r.lines.size(), 3u);
    // "still" is read as the rest of the string.
    EXPECT_EQ(trace.tokens, (std::vector<std::string>{"s", ":=", "x", "next"}));
}

TEST(Scanner, StringOverTwoLinesWithAbortStopsAtOnce) {
    ScriptedHost host(Button::Abort);
    PassResult r = runPass("a;\ns := 'open\nstill' x\n", PassOptions{}, &host);
    EXPECT_TRUE(r.aborted);
    EXPECT_EQ(r.lines, (std::vector<std::string>{"a;", "s := 'open"}));
}

TEST(Scanner, CleanPassReportsOpenStringsToo) {
    ScriptedHost host(Button::Abort);
    PassOptions options;
    options.mode = PassMode::Clean;
    PassResult r = runPass("a; { x }\ns := 'open\nrest\n", options, &host);
    EXPECT_TRUE(r.aborted);
    ASSERT_EQ(r.messages.size(), 1u);
    // The current line is still written.
    EXPECT_EQ(r.lines, (std::vector<std::string>{"a;", "s := 'open"}));
}

TEST(Scanner, AbortBetweenLinesKeepsWhatWasWritten) {
    ScriptedHost host;
    host.abortAtLine = 2;
    PassResult r = runPass("a\nb\nc\n", PassOptions{}, &host);
    EXPECT_TRUE(r.aborted);
    EXPECT_EQ(r.lines, (std::vector<std::string>{"a", "b"}));
}

TEST(Scanner, EmptyFileGivesNoLineAndNoComment) {
    PassResult commented = commentText("");
    EXPECT_TRUE(commented.lines.empty());
    EXPECT_EQ(commented.count, 0);
    PassResult cleaned = cleanText("");
    EXPECT_TRUE(cleaned.lines.empty());
    EXPECT_EQ(cleaned.count, 0);
}

TEST(Scanner, UnreadableFileIsSkippedWithTheWarning) {
    for (Button answer : {Button::Abort, Button::Ignore}) {
        ScriptedHost host(answer);
        PassOptions options;
        Progress progress;
        progress.commentCount = 7;
        ResultEditor editor;
        editor.append("kept");
        SourcePass pass(options, host, progress);
        pass.run("/nonexistent/dir/unit.pas", editor);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text,
                  "Could not process file /nonexistent/dir/unit.pas.\r\nThis file will be "
                  "skipped.");
        EXPECT_EQ(progress.abortRequested, answer == Button::Abort);
        EXPECT_EQ(progress.commentCount, 7);
        EXPECT_EQ(editor.lines(), (std::vector<std::string>{"kept"}));
    }
}

TEST(Scanner, LineBreaksOfAllKindsEndLines) {
    PassResult r = commentText("a\r\nb\nc\rd");
    EXPECT_EQ(r.lines, (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST(Scanner, ProgressCountsLinesAndBytes) {
    ScriptedHost host;
    Progress progress;
    progress.totalBytes = 10;
    ResultEditor editor;
    SourcePass pass(PassOptions{}, host, progress);
    pass.runText("x.pas", "abc\r\nde\r\n", editor);
    EXPECT_EQ(progress.lineCount, 2);
    EXPECT_EQ(progress.bytesDone, 9);
    EXPECT_EQ(progress.percent(), 90);
    EXPECT_EQ(host.linesSeen, 2);
}

std::vector<std::string> queuedBy(const std::string& input) {
    ProjectLists lists;
    PassOptions options;
    options.projectLists = &lists;
    runPass(input, options);
    return {lists.queue().begin(), lists.queue().end()};
}

TEST(UsesRule, QueuesNamesNotFollowedByCommaOrSemicolon) {
    EXPECT_EQ(queuedBy("program P;\nuses Forms, Unit1 in 'Unit1.pas' {Form1};\nbegin end.\n"),
              (std::vector<std::string>{"unit1.pas", "in.pas", ".", "pas.pas"}));
    EXPECT_EQ(queuedBy("uses A, B;\n"), (std::vector<std::string>{}));
    EXPECT_EQ(queuedBy("uses A ,B ;\n"), (std::vector<std::string>{"a.pas", "b.pas"}));
}

TEST(UsesRule, NamesAreQueuedOnceRegardlessOfCase) {
    EXPECT_EQ(queuedBy("uses Unit1 in 'UNIT1.PAS';\nuses unit1 ;\n"),
              (std::vector<std::string>{"unit1.pas", "in.pas", ".", "pas.pas"}));
}

TEST(UsesRule, SemicolonInsideACommentEndsTheClause) {
    EXPECT_EQ(queuedBy("uses { ; } A ;\n"), (std::vector<std::string>{}));
}

TEST(UsesRule, AlreadyDoneNamesAreNotQueued) {
    ProjectLists lists;
    lists.markDone("UNIT2.PAS");
    PassOptions options;
    options.projectLists = &lists;
    runPass("uses Unit2 in 'x', Unit3 in 'y';\n", options);
    EXPECT_EQ(std::vector<std::string>(lists.queue().begin(), lists.queue().end()),
              (std::vector<std::string>{"in.pas", "x.pas", "unit3.pas", "y.pas"}));
}

} // namespace
} // namespace qw::test
