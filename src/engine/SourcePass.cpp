#include "engine/SourcePass.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/Messages.h"
#include "engine/SourcePassImpl.h"
#include "platform/FileSystem.h"
#include "text/ByteRuns.h"
#include "text/LineSplitter.h"
#include "text/MultiLineString.h"
#include "text/ResultEditor.h"
#include "text/Text.h"
#include "xref/DeclKind.h"

namespace qw {

SourcePass::SourcePass(const PassOptions& options, PassHost& host, Progress& progress)
    : options_(options), host_(host), progress_(progress) {}

SourcePass::~SourcePass() = default;

bool SourcePass::run(const std::string& fileName, ResultEditor& editor) {
    FileSystem& files = options_.fileSystem ? *options_.fileSystem : realFileSystem();
    IoResult opened;
    const std::unique_ptr<ByteReader> reader = files.openForReading(fileName, opened);
    if (!reader) {
        breaks_ = LineBreaks{};
        Message m{MessageId::CannotProcessFile,
                  DialogKind::Warning,
                  messages::format(messages::kCannotProcessFile, fileName),
                  {Button::Abort, Button::Ignore},
                  fileName,
                  0};
        if (host_.ask(m) == Button::Abort)
            progress_.abortRequested = true;
        return false;
    }
    const std::int64_t size = files.fileSize(fileName);
    LineSplitter lines(*reader, breaks_);
    Impl impl(options_, host_, progress_, editor, fileName);
    impl.run(lines, size > 0 ? static_cast<std::size_t>(size) : 0);
    return true;
}

void SourcePass::runText(const std::string& fileName, std::string_view bytes,
                         ResultEditor& editor) {
    LineSplitter lines(bytes, breaks_);
    Impl impl(options_, host_, progress_, editor, fileName);
    impl.run(lines, bytes.size());
}

SourcePass::Impl::Impl(const PassOptions& options, PassHost& host, Progress& progress,
                       ResultEditor& editor, const std::string& fileName)
    : options_(options), host_(host), progress_(progress), editor_(editor), fileName_(fileName),
      headerStep_(options.schema, options.coderName, options.clock),
      sumsBodies_(!options.schema.empty()),
      xrefOn_(options.mode == PassMode::Comment && options.crossReference == CrossReference::On) {}

Button SourcePass::Impl::ask(MessageId id, DialogKind kind, std::string text,
                             std::initializer_list<Button> buttons) {
    Message m{id, kind, std::move(text), std::vector<Button>(buttons), fileName_, s_.lineNo};
    return host_.ask(m);
}

void SourcePass::Impl::run(LineSplitter& lines, std::size_t sizeHint) {
    editor_.clear();
    if (cleaning()) {
        s_.line.clear();
        s_.origLineLen = -1;
        progress_.commentCount = -1;
    }
    // Real sources average well over 20 bytes a line. Reserved room that is
    // never used costs no memory.
    editor_.reserve(static_cast<int>(std::min<std::size_t>(sizeHint / 20, 1 << 26)));
    while (!lines.atEnd()) {
        if (progress_.abortRequested)
            break;
        if (cleaning())
            writeOrDrop();
        if (!readLine(lines.next()))
            break;
    }
    if (cleaning())
        writeOrDrop();
    settleUnfinishedRoutines();
    if (!cleaning() && options_.crossReference == CrossReference::On) {
        if (symbols_.WriteReport(editor_, 0))
            ++progress_.commentCount;
    }
}

// Reads and scans one line; false ends the line loop at once.
bool SourcePass::Impl::readLine(std::string_view raw) {
    rawLine_ = raw;
    const int length = static_cast<int>(raw.size());
    // Clean mode: a line that begins in code is plain up to here.
    std::size_t plain = 0;
    if (cleaning()) {
        if (s_.scanState == ScanState::Code) {
            plain = skipPlainCode(raw, 0);
            if (plain == raw.size())
                writePlainLine(raw);
        }
        if (!lineWritten_) {
            s_.line.assign(raw);
            s_.origLineLen = length;
        }
    } else {
        s_.line.assign(raw);
        // The bytes of the line without blanks and control characters at its
        // ends: those are all up to 32, and count only between others.
        if (sumsBodies_)
            addToChecksum(byteSum(trim(raw)));
        checksumResetOnLine_ = false;
        endCommentsOnLine_.clear();
    }
    progress_.lineProcessed(length);
    host_.lineProcessed(progress_);
    if (lineWritten_) {
        ++s_.lineNo;
        return true; // nothing in it to scan
    }
    if (!cleaning()) {
        editor_.append(s_.line);
        if (s_.scanState != ScanState::Code)
            editor_.setStartsInsideText(editor_.count() - 1, true);
        if (codeState_.state != CodeState::Code)
            editor_.setStartsInsideCodeComment(editor_.count() - 1, true);
    }
    ++s_.lineNo;
    s_.scanPos = static_cast<int>(plain) + 1;
    setToken({});
    if (cleaning()) {
        scanLineCleaning();
    } else {
        scanLine();
        // The language's state at the start of the next line: the file is
        // not kept, so it is read on line by line (a line break ends a
        // string). A line read as code from its start on where the scanner
        // met no opener of a comment or multi-line string, and no quote in a
        // uses clause, leaves the language in code too: the two readings
        // share every opener ("'", "{", "(*", "//") and read strings alike.
        if (codeState_.state != CodeState::Code || lineMayOpen_)
            codeState_ = codeStateAfter("\n", codeStateAfter(rawLine_, codeState_));
    }
    if (s_.scanState == ScanState::String) {
        Button b = ask(MessageId::StringExceedsLine, DialogKind::Warning,
                       messages::format(messages::kStringExceedsLine, fileName_, s_.lineNo),
                       {Button::Abort, Button::Ignore});
        if (b == Button::Abort) {
            requestAbort();
            return false;
        }
        // For the compiler a line break ends the string. The clean pass reads
        // on in code as the compiler does: taking the next line as the rest of
        // the string would turn the real strings after it inside out and cut
        // their text as comments.
        if (cleaning())
            s_.scanState = ScanState::Code;
    }
    return true;
}

namespace {

constexpr bool isWordStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// How the scanner takes a character of code.
enum class CodeChar : std::uint8_t { Other, Blank, Digit, WordStart, MayOpen, Ampersand };

constexpr std::array<CodeChar, 256> kCodeChars = [] {
    std::array<CodeChar, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        table[static_cast<std::size_t>(c)] = ch == ' ' || ch == '\t' ? CodeChar::Blank
                                             : isDigit(ch)           ? CodeChar::Digit
                                             : isWordStart(ch)       ? CodeChar::WordStart
                                             : ch == '&'             ? CodeChar::Ampersand
                                             : ch == '\'' || ch == '{' || ch == '(' || ch == '/'
                                                 ? CodeChar::MayOpen
                                                 : CodeChar::Other;
    }
    return table;
}();

CodeChar codeChar(char c) {
    return kCodeChars[static_cast<unsigned char>(c)];
}

// The loops over a run of word characters or blanks take one look per byte.
template <typename Test> constexpr std::array<bool, 256> bytesWhere(Test test) {
    std::array<bool, 256> table{};
    for (std::size_t c = 0; c < 256; ++c)
        table[c] = test(kCodeChars[c]);
    return table;
}
constexpr std::array<bool, 256> kWordChars =
    bytesWhere([](CodeChar k) { return k == CodeChar::WordStart || k == CodeChar::Digit; });
constexpr std::array<bool, 256> kBlanks =
    bytesWhere([](CodeChar k) { return k == CodeChar::Blank; });

bool isWordChar(char c) {
    return kWordChars[static_cast<unsigned char>(c)];
}
bool isBlank(char c) {
    return kBlanks[static_cast<unsigned char>(c)];
}

// These walk a run of the line that starts at `i` (inside it) without
// counting: the null character that ends every std::string is neither a blank
// nor a word character, so the run cannot go past the line's end.

// The index of the last blank of the run that starts at `i`.
int lastOfBlanks(const std::string& line, int i) {
    const char* const first = line.c_str() + i;
    const char* last = first;
    while (isBlank(last[1]))
        ++last;
    return i + static_cast<int>(last - first);
}

// The index of the last word character of the run that starts at `i`.
int lastOfWord(const std::string& line, int i) {
    const char* const first = line.c_str() + i;
    const char* last = first;
    while (isWordChar(last[1]))
        ++last;
    return i + static_cast<int>(last - first);
}

} // namespace

bool SourcePass::Impl::opensMultiLineString(std::size_t quoteAt) {
    const std::size_t quotes = multiLineOpenerQuotes(s_.line, quoteAt);
    if (quotes == 0)
        return false;
    s_.multiLineQuotes = static_cast<int>(quotes);
    s_.scanState = ScanState::MultiLineString;
    return true;
}

// At the start of a line inside a multi-line string: when the line closes it,
// the scanner goes on after the closing quotes.
bool SourcePass::Impl::closesMultiLineString() {
    const std::size_t end =
        multiLineCloserEnd(s_.line, static_cast<std::size_t>(s_.multiLineQuotes));
    if (end == std::string_view::npos)
        return false;
    s_.scanState = ScanState::Code;
    s_.scanPos = static_cast<int>(end) + 1;
    return true;
}

void SourcePass::Impl::scanLine() {
    const std::string& line = s_.line;
    const int len = static_cast<int>(line.size());
    wordStart_ = -1;
    lineMayOpen_ = s_.scanState != ScanState::Code;
    // A multi-line string is only open at the start of a line: an opener
    // ends the scan of its line.
    if (len > 0 && s_.scanState == ScanState::MultiLineString && !closesMultiLineString())
        return; // the whole line is text
    while (s_.scanPos >= 1 && s_.scanPos <= len) {
        if (s_.scanState != ScanState::Code) {
            // Inside strings and comments no word is pending and only the
            // closer matters, unless a uses clause is open: every character
            // is then an empty token, and a ";" ends the clause.
            const auto at = static_cast<std::size_t>(s_.scanPos - 1);
            if (!s_.inUses) {
                s_.scanPos = 1 + static_cast<int>(readText(line, at, line.size(), s_.scanState));
                continue;
            }
            s_.scanPos = static_cast<int>(readText(line, at, at + 1, s_.scanState));
            setToken({});
            usesRule();
            ++s_.scanPos;
            continue;
        }
        // Most characters of code begin a word or a run of blanks that ends
        // no token: those only move on.
        const int i = s_.scanPos - 1;
        const char c = line[static_cast<std::size_t>(i)];
        const CodeChar k = codeChar(c);
        if (wordStart_ < 0) {
            if (k == CodeChar::WordStart) {
                const int last = lastOfWord(line, i);
                if (last + 1 < len) {
                    wordStart_ = i;
                    s_.scanPos = last + 2;
                    continue;
                }
            } else if (k == CodeChar::Blank && !s_.inUses) {
                s_.scanPos = lastOfBlanks(line, i) + 2;
                continue;
            }
        }
        // Blanks and punctuation marks, the other common characters, end the
        // pending word; a punctuation mark is a token of its own. Further
        // blanks give only empty tokens: the scan goes on after the last.
        if (k == CodeChar::Blank) {
            s_.scanPos = lastOfBlanks(line, i) + 1;
            endPendingWord(i);
        } else if (k == CodeChar::Other) {
            endPendingWord(i);
            delimiterEvent(c);
        } else {
            scanCodeChar();
        }
        ++s_.scanPos;
    }
}

// The token event of a word that ends before column `i`; without one, the
// empty token that a uses clause sees between its names.
void SourcePass::Impl::endPendingWord(int i) {
    const int word = wordStart_;
    wordStart_ = -1;
    if (word >= 0) {
        setToken(std::string_view(s_.line).substr(word, i - word));
        tokenEvent(word);
    } else if (s_.inUses) {
        setToken({});
        usesRule();
    }
}

// One character of code at ScanPos that may open a string or comment, begin
// a word or an escaped identifier, or end the line's last word, with the
// token events it ends.
void SourcePass::Impl::scanCodeChar() {
    const std::string& line = s_.line;
    const int len = static_cast<int>(line.size());
    const int i = s_.scanPos - 1;
    const int wordBefore = wordStart_;
    bool delimiter = false;
    const char c = line[i];
    switch (codeChar(c)) {
    case CodeChar::MayOpen: {
        wordStart_ = -1;
        const Opener opener = openerAt(line, static_cast<std::size_t>(i));
        // A "(" or "/" that opens nothing opens nothing for the language
        // either, and a string outside a uses clause is read by both alike
        // (closed by its quote or the line's end): the line may still be
        // taken as the language reads it.
        if (opener != Opener::None && (opener != Opener::String || s_.inUses))
            lineMayOpen_ = true;
        switch (opener) {
        case Opener::MultiLineString:
            opensMultiLineString(static_cast<std::size_t>(i));
            s_.scanPos = len;
            break;
        case Opener::String:
            // A uses clause takes no quote for a string.
            if (!s_.inUses)
                s_.scanState = ScanState::String;
            break;
        case Opener::BraceComment:
            s_.scanState = ScanState::BraceComment;
            break;
        case Opener::ParenComment:
            s_.scanState = ScanState::ParenComment;
            break;
        case Opener::LineComment:
            s_.scanPos = len;
            break;
        case Opener::None:
            delimiter = c == '('; // a lone "/" is no token
            break;
        }
        break;
    }
    case CodeChar::Digit:
        break; // digits continue a word but start none
    case CodeChar::WordStart:
        if (wordStart_ < 0)
            wordStart_ = i;
        // The characters of a word only gather it; go to its last one.
        s_.scanPos = lastOfWord(line, i) + 1;
        break;
    case CodeChar::Ampersand:
        if (i + 1 < len && isWordStart(line[i + 1]) && wordStart_ < 0) {
            // &End, &Type: an escaped identifier, never a keyword.
            wordStart_ = i;
            s_.scanPos = lastOfWord(line, i + 1) + 1;
            break;
        }
        [[fallthrough]];
    case CodeChar::Blank: // taken by scanLine
    case CodeChar::Other:
        wordStart_ = -1;
        delimiter = true;
        break;
    }

    // The token event: a word that goes on is still being gathered.
    const bool pending = wordStart_ >= 0;
    const bool inCode = s_.scanState == ScanState::Code;
    if (!(pending && inCode && s_.scanPos < len)) {
        if (pending && inCode) {
            setToken(std::string_view(line).substr(wordStart_, s_.scanPos - wordStart_));
            tokenEvent(wordStart_);
        } else if (wordBefore >= 0 && !pending) {
            setToken(std::string_view(line).substr(wordBefore, i - wordBefore));
            tokenEvent(wordBefore);
        } else if (s_.inUses) {
            setToken({});
            usesRule(); // an empty token only ends a uses clause at ";"
        }
    }
    if (delimiter)
        delimiterEvent(c);
}

void SourcePass::Impl::tokenEvent(int column) {
    kw_ = keywordOf(s_.token);
    rulesForToken(column);
}

// Made on first use: most tokens are only compared with keywords. A rule may
// change it (a uses clause adds ".pas"); the rules after it see the change.
std::string& SourcePass::Impl::tokenLower() {
    if (!tokenLowered_) {
        const std::size_t n = s_.token.size();
        s_.tokenLower.resize(n);
        // Through local pointers: the bytes written cannot then be taken for
        // the token's own, and the loop runs on registers.
        const char* in = s_.token.data();
        char* out = s_.tokenLower.data();
        for (std::size_t k = 0; k < n; ++k)
            out[k] = toLowerAscii(in[k]);
        tokenLowered_ = true;
    }
    return s_.tokenLower;
}

void SourcePass::Impl::delimiterEvent(char c) {
    const int column = s_.scanPos - 1;
    setToken({s_.line.data() + column, 1});
    kw_ = punctuationOf(c);
    if (c == ':') {
        const std::string& line = s_.line;
        std::size_t j = static_cast<std::size_t>(s_.scanPos);
        while (j < line.size() && line[j] == ' ')
            ++j;
        if (j < line.size() && line[j] == '=') {
            setToken(":=");
            kw_ = keywordOf(s_.token);
            ++s_.scanPos;
        }
    }
    rulesForToken(column);
}

void SourcePass::Impl::rulesForToken(int column) {
    if (s_.token.empty()) {
        // Characters where no word was pending (inside strings and comments
        // too) still end a uses clause at ";".
        usesRule();
        return;
    }
    if (options_.tokenObserver)
        options_.tokenObserver->token(s_.token, s_.lineNo, column);
    tokenColumn_ = column;
    if (onlyBecomesPreviousToken()) {
        s_.prevDeclKind = s_.declKind;
        rememberToken();
        return;
    }
    if (inGenericNameList()) {
        // The words of a generic parameter list and its constraints (class,
        // record, constructor) are part of the name and open nothing.
        genericNameRule();
        s_.prevPrevToken = s_.prevToken;
        s_.prevToken = kw_;
        s_.prevTokenEmpty = false;
        return;
    }
    // A. A frame that waits for its begin gives up at any other token.
    // (The rare previous tokens are asked first.)
    if (((s_.prevToken == Keyword::Do && (s_.declKind == d_none || s_.declKind == d_case)) ||
         (s_.prevToken == Keyword::Colon && s_.declKind == d_case)) &&
        !s_.inAsm && kw_ != Keyword::Begin)
        deleteFrame();
    if (s_.anonymousPending || s_.inAnonymousHeading)
        anonymousMethodRule();
    keywordRules();
    usesRule();
    s_.prevDeclKind = s_.declKind;
    classifyToken(column);
    declarationRules();
}

// The scanner state at the end of the current line, read ahead from the
// character after the current one.
ScanState SourcePass::Impl::scanStateAtLineEnd() const {
    const std::string& line = s_.line;
    ScanState state = s_.scanState;
    std::size_t i = static_cast<std::size_t>(s_.scanPos);
    while (i < line.size()) {
        if (state != ScanState::Code) {
            i = readText(line, i, line.size(), state);
            continue;
        }
        i = skipPlainCode(line, i);
        if (i == line.size())
            break;
        switch (openerAt(line, i)) {
        case Opener::MultiLineString:
            return ScanState::MultiLineString;
        case Opener::String:
            if (!s_.inUses)
                state = ScanState::String;
            break;
        case Opener::BraceComment:
            state = ScanState::BraceComment;
            break;
        case Opener::ParenComment:
            state = ScanState::ParenComment;
            break;
        case Opener::LineComment:
            return ScanState::Code;
        case Opener::None:
            break;
        }
        ++i;
    }
    return state;
}

// The language's state at the end of the current line, reading on from where
// it was last asked.
CodeState SourcePass::Impl::codeStateAtLineEnd() {
    return codeStateAfter(rawLine_, codeState_).state;
}

// The word after the current token on this line, in lower case; empty when
// the token ends the line or no word follows it.
std::string SourcePass::Impl::nextWordOnLine() const {
    const std::string& line = s_.line;
    std::size_t j = static_cast<std::size_t>(s_.scanPos - 1);
    if (j >= line.size() || isWordStart(line[j]) || isDigit(line[j]))
        return {}; // the word ends the line
    while (j < line.size() && (line[j] == ' ' || line[j] == '\t'))
        ++j;
    std::string word;
    while (j < line.size() && (isWordStart(line[j]) || isDigit(line[j])))
        word += toLowerAscii(line[j++]);
    return word;
}

bool SourcePass::Impl::nextWordIsOf() const {
    return nextWordOnLine() == "of";
}

// "class" in front of a member: a class method, class constructor or
// destructor, class operator, class field or class property. It opens no
// class body.
bool SourcePass::Impl::classIsMemberModifier() const {
    if (kw_ != Keyword::Class)
        return false;
    const std::string next = nextWordOnLine();
    for (const char* member : {"procedure", "function", "constructor", "destructor", "operator",
                               "var", "threadvar", "property"})
        if (next == member)
            return true;
    return false;
}

void SourcePass::Impl::markCommentLines(int from, int to) {
    ++progress_.commentCount;
    editor_.markLines(from, to);
}

void SourcePass::Impl::markComment(int line, int column, int length) {
    ++progress_.commentCount;
    editor_.mark(line, column, length);
}

} // namespace qw
