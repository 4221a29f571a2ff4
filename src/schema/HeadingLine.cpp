#include "schema/HeadingLine.h"

#include "text/ResultEditor.h"
#include "text/Text.h"

namespace qw {

// A tab or another control character parts words as a blank does; a heading
// indented by tabs is a heading all the same.
static bool partsWords(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Whether `word` (in lower case) stands at `at` in any letter case, followed
// by a blank or the line's end.
static bool wordAt(std::string_view line, std::size_t at, std::string_view word) {
    if (!equalsIgnoringCase(line.substr(at, word.size()), word))
        return false;
    return at + word.size() == line.size() || partsWords(line[at + word.size()]);
}

// Looks at the beginning of every word, without a lower-case copy of the
// line: the header step asks this for the lines above every routine heading.
static bool holdsRoutineKeyword(std::string_view line) {
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (at > 0 && !partsWords(line[at - 1]))
            continue;
        for (std::string_view word : {"procedure", "constructor", "destructor", "function"})
            if (wordAt(line, at, word))
                return true;
    }
    return false;
}

static bool isWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The next word of `line` from `pos` on, in lower case; `pos` moves past it.
static std::string nextWord(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && static_cast<unsigned char>(line[pos]) <= 32)
        ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && isWordChar(line[pos]))
        ++pos;
    return toLower(line.substr(start, pos - start));
}

bool beginsRoutineHeading(std::string_view line) {
    std::size_t pos = 0;
    std::string word = nextWord(line, pos);
    if (word == "class")
        word = nextWord(line, pos);
    return word == "procedure" || word == "function" || word == "constructor" ||
           word == "destructor";
}

// A line that begins inside a comment is no heading, whatever words it holds:
// a header put above it would end that comment early.
int findHeadingLine(const ResultEditor& editor) {
    for (int i = editor.count() - 1; i > 0; --i)
        if (!editor.startsInsideText(i) && holdsRoutineKeyword(editor.line(i)))
            return i;
    return 0;
}

} // namespace qw
