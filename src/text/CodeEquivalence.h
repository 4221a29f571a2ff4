#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qw {

// Where the code of a pass's output first departs from the code of its input.
struct CodeMismatch {
    int afterLine = 0;         // 1-based line of the output holding the first difference
    int beforeLine = 0;        // 1-based line of the input at the same point
    std::string afterExcerpt;  // the code that differs, from the output (at most a few bytes)
    std::string beforeExcerpt; // the code the input has there
};

// The safety net before a write that nobody reviews. Commenting and cleaning
// may only add or remove comments and blanks, so the two texts must hold the
// same code: their bytes are compared outside comments, with every run of
// blanks, control characters, line breaks and comments read as one separator
// (none at the start or the end of a text). Between code characters that
// cannot run together into one token (a word and a "+", say) a separator may
// stand on one side only; inside compiler directives it must stand on both. Comments follow the
// language's own rules, which are not those of the pass's scanner: "{ }" and "(* *)" do not nest,
// "(*)" opens a comment that runs to the next "*)", "//" runs to the end of the line, nothing
// inside a quoted string starts a comment, and a string ends at its closing quote or at the end of
// its line. Compiler directives
// ("{$...}", "(*$...*)") are code. A UTF-8 byte-order mark is no code, but
// one text may not have one without the other. Blanks inside a string are code, except
// those that end a line inside a string that was never closed.
// Returns nothing when the code is the same.
std::optional<CodeMismatch> findCodeMismatch(std::string_view before, std::string_view after);

// Where the language's own rules (those above) stand after a stretch of text.
enum class CodeState {
    Code,
    String,
    MultiLineString,
    BraceComment,
    ParenComment,
    BraceDirective,
    ParenDirective
};

// The state with, in a multi-line string, the number of quotes that opened
// it: only as many close it.
struct LanguageState {
    LanguageState(CodeState s = CodeState::Code, std::size_t q = 0) : state(s), quotes(q) {}
    CodeState state;
    std::size_t quotes;
    friend bool operator==(const LanguageState&, const LanguageState&) = default;
};

// The state after `text` read from `start`; a text read from a multi-line
// string begins at the start of a line. A string ends at a line break, so
// only comments, directives and multi-line strings run on from one line to
// the next.
LanguageState codeStateAfter(std::string_view text, LanguageState start);

// Whether a line read from code holds nothing but blanks and comments that
// close on it (a line comment included): such a line, put in between two
// lines of code, leaves the code as it was. Directives are code.
bool holdsOnlyComments(std::string_view line);

// The first index from `from` on where a string, comment or directive may
// open (a quote, "{", "(" or "/"), or the text's length.
std::size_t skipPlainCode(std::string_view text, std::size_t from);

// "the code differs at line <n>", with the two excerpts, for messages.
std::string describeCodeMismatch(const CodeMismatch& mismatch);

} // namespace qw
