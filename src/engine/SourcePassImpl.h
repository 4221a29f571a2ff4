#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/Keyword.h"
#include "engine/PassState.h"
#include "engine/ScanStep.h"
#include "engine/SourcePass.h"
#include "schema/HeaderHost.h"
#include "schema/HeaderStep.h"
#include "text/CodeEquivalence.h"
#include "xref/DeclKind.h"
#include "xref/SymbolList.h"

namespace qw {

class LineSplitter;
class ResultEditor;

// The working object of one pass: its state and the operations that share it.
// SourcePass creates one per file.
class SourcePass::Impl final : public HeaderHost {
public:
    Impl(const PassOptions& options, PassHost& host, Progress& progress, ResultEditor& editor,
         const std::string& fileName);

    void run(LineSplitter& lines, std::size_t sizeHint);

    // HeaderHost
    ResultEditor& editor() override { return editor_; }
    void markCommentLines(int from, int to) override;
    void markComment(int line, int column, int length) override;
    void uncountComment() override { --progress_.commentCount; }
    void shiftLines(int fromLine) override {
        if (xrefOn_)
            symbols_.ShiftLines(fromLine);
    }

private:
    bool cleaning() const { return options_.mode == PassMode::Clean; }
    Button ask(MessageId id, DialogKind kind, std::string text,
               std::initializer_list<Button> buttons);
    void requestAbort() { progress_.abortRequested = true; }

    // Line loop and scanner (comment mode)
    bool readLine(std::string_view raw);
    void scanLine();
    void scanCodeChar();
    void endPendingWord(int i);
    void tokenEvent(int column);
    void setToken(std::string_view token) {
        s_.token = token;
        tokenLowered_ = false;
    }
    std::string& tokenLower();
    void delimiterEvent(char c);
    void rulesForToken(int column);
    // A name or a punctuation mark in a statement part, with no frame waiting
    // for its begin, no anonymous method, uses clause or cross-reference to
    // see it: no row, kind or declaration rule takes it, so it only becomes
    // the previous token. Most tokens of a unit are such.
    bool onlyBecomesPreviousToken() const {
        return s_.declKind == d_none && !s_.inUses && !s_.anonymousPending &&
               !s_.inAnonymousHeading && s_.prevToken != Keyword::Do && !xrefOn_ &&
               (kw_ == Keyword::None || isPunctuation(kw_));
    }
    void checkStringAtLineEnd();
    ScanState scanStateAtLineEnd() const;
    bool closesWhereItEnds(const std::string& comment, ScanState endState) const;
    CodeState codeStateAtLineEnd();
    std::string nextWordOnLine() const;
    bool nextWordIsOf() const;
    bool classIsMemberModifier() const;

    // Multi-line string literals
    bool opensMultiLineString(std::size_t quoteAt);
    bool closesMultiLineString();

    // Clean mode
    void scanLineCleaning();
    void removeComment(std::size_t from, std::size_t count);
    void removeCommentThrough(std::size_t from);
    void openInCleanedCode(std::size_t i);
    void closeCleanedComment();
    void writeOrDrop();
    void writePlainLine(std::string_view raw);
    void writeTrimmed(std::string_view kept, int originalLength);

    // Keyword and uses rules. Names, most of the tokens, take no row: at most
    // they are recorded as uses.
    void keywordRules() {
        if (kw_ != Keyword::None)
            keywordRows();
        else if (xrefOn_ && !s_.inAsm && !s_.token.empty())
            addUse();
    }
    void keywordRows();
    void endRow();
    void beginRow();
    void caseRow();
    void tryRow();
    void asmRow();
    void doRow();
    void classRow();
    void interfaceRow();
    void recordRow();
    void objectRow();
    void addUse();
    void openBlock(Keyword opener);
    bool inStatementPart() const {
        if (s_.openBlocks.empty())
            return false;
        const Keyword b = s_.openBlocks.back();
        return b == Keyword::Begin || b == Keyword::Try || b == Keyword::Case;
    }
    bool inVariantPart() const;
    void anonymousMethodRule();
    // A no-op outside a uses clause, asked at every token.
    void usesRule() {
        if (s_.inUses)
            usesClauseRule();
    }
    void usesClauseRule();

    // Declaration kinds
    void addSymbol(std::string_view name, std::uint8_t kind) {
        if (xrefOn_)
            symbols_.AddSymbol(std::string(name), s_.lineNo, s_.routineLevel, kind);
    }
    // A name opens and closes no kind: it only becomes the previous token.
    void classifyToken(int column) {
        if (kw_ == Keyword::None)
            rememberToken();
        else
            classifyKeyword(column);
    }
    void classifyKeyword(int column);
    void rememberToken() {
        if (!s_.token.empty()) {
            s_.classModifierPending = false;
            s_.prevPrevToken = s_.prevToken;
            s_.prevToken = kw_;
            s_.prevTokenEmpty = false;
        }
    }
    void popKind();
    void popSectionsOfBody();
    void pushKind(std::uint8_t kind);
    // Statement parts, where most tokens are, have no declaration rules.
    void declarationRules() {
        if (s_.declKind != d_none)
            declarationRulesOfKind();
    }
    void declarationRulesOfKind();
    void routineHeadingRule();
    void startRoutineName();
    void genericNameRule();
    void parameterRule();
    void appendToResultType();
    void copyDefaultValue();
    bool inGenericNameList() const {
        return (s_.declKind == 1 || s_.declKind == 2) && s_.nameGenericDepth > 0 &&
               !s_.inAnonymousHeading;
    }
    void finishHeading();
    // A heading at declaration depth 1 that is no class member's: routines of
    // the implementation part and those declared inside them.
    bool headingAtTopLevel() const { return s_.declDepth == 1 && !s_.memberHeading; }

    // Frames
    void pushFrame(std::string text);
    void pushFrameOfLine();
    void deleteFrame();
    bool openFrameOnTop() const { return !s_.frames.empty() && s_.frames.back().isOpen(); }
    bool topFrameAtThisDepth() const {
        return openFrameOnTop() && s_.frames.back().depth == s_.blockDepth;
    }
    bool routineFrameWaitsForBody() const;
    PendingRecords pendingRecords();
    void finishRoutine(const UpdateRecord& record);
    void settleUnfinishedRoutines();
    const std::string& endComment(const std::string& text);
    void writeBlockComment();
    void resetChecksum();
    // The checksum keeps the low byte of the sum of the bytes it was given.
    void addToChecksum(std::uint32_t sum) {
        s_.lineChecksum = static_cast<int>((static_cast<unsigned>(s_.lineChecksum) + sum) & 0xFFu);
    }
    void countAppendedInChecksum(std::string_view line, const std::string& comment);
    void beginBlock();
    void assemblerBody();
    void closeFrame();

    const PassOptions& options_;
    PassHost& host_;
    Progress& progress_;
    ResultEditor& editor_;
    const std::string& fileName_;
    PassState s_;
    TSymbolList symbols_;
    HeaderStep headerStep_;

    // The body checksum restarted on the current line.
    bool checksumResetOnLine_ = false;
    // Bodies are summed only for the update lines of headers: a schema of no
    // lines places none.
    bool sumsBodies_ = false;
    // The end comments, in their order, that an earlier run wrote behind the
    // current line for the frames it closes: a frame named by the line is
    // named by it without them, as it was when they were written.
    std::string endCommentsOnLine_;
    // Buffers of writeBlockComment, kept from frame to frame.
    std::string endComment_;
    std::string lineWithComment_;
    // The keyword the token is.
    Keyword kw_ = Keyword::None;
    // TokenLower has been made for the current token.
    bool tokenLowered_ = false;
    // The symbol table is kept only when a report will be written.
    bool xrefOn_ = false;

    // The openers of OpenBlocks below this index are none of a statement
    // part: a routine heading already settled them.
    std::size_t openBlocksSettled_ = 0;

    // Column of the token whose rules run (0-based).
    int tokenColumn_ = 0;
    // Where the pending word starts in the line (0-based); -1 when none.
    int wordStart_ = -1;
    // The source as the language reads it, which the scanner's rules do not
    // everywhere (they take no quote of a uses clause for a string, and
    // "(*)" for a whole comment): the state at the start of the current
    // line, and that line as read.
    LanguageState codeState_;
    std::string_view rawLine_;
    // The scanner met an opener of a comment or multi-line string on the
    // current line, or a quote in a uses clause, or began the line inside a
    // string or comment: the language may read the line otherwise.
    bool lineMayOpen_ = false;

    // Clean mode: the comment being removed is a compiler directive and stays.
    bool keepingDirective_ = false;
    // Clean mode: where the comment being removed began on this line, or -1
    // when it began on an earlier line.
    int cleanCommentStart_ = -1;
    // Clean mode: the current line held no opener and is written already;
    // the next writeOrDrop() skips it.
    bool lineWritten_ = false;
};

} // namespace qw
