#include "schema/HeadingLine.h"

#include "engine/ResultEditor.h"
#include "engine/Text.h"

namespace qw {

static bool holdsRoutineKeyword(const std::string& line) {
    const std::string wrapped = " " + toLower(line) + " ";
    for (const char* word : {" procedure ", " constructor ", " destructor ", " function "})
        if (wrapped.find(word) != std::string::npos)
            return true;
    return false;
}

int findHeadingLine(const ResultEditor& editor) {
    for (int i = editor.count() - 1; i > 0; --i)
        if (holdsRoutineKeyword(editor.line(i)))
            return i;
    return 0;
}

} // namespace qw
