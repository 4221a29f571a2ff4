#include "schema/WholeHeader.h"

#include "schema/HeaderHost.h"
#include <algorithm>

#include "text/ResultEditor.h"

namespace qw {

int insertWholeHeader(HeaderHost& pass, const HeaderLayout& layout, int headingLine) {
    const std::vector<std::string>& lines = layout.header.lines;
    if (lines.empty())
        return -1;
    ResultEditor& editor = pass.editor();
    const int at = std::clamp(headingLine, 0, editor.count());
    // One buffer for the indented lines: a header goes in for every routine.
    std::string indented = layout.indented({});
    const std::size_t indent = indented.size();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        indented.resize(indent);
        indented += lines[k];
        editor.insert(at + static_cast<int>(k), indented);
    }
    pass.markCommentLines(at, at + static_cast<int>(lines.size()));
    const int u = layout.header.updateHeaderIndex;
    return u >= 0 ? at + u : -1;
}

} // namespace qw
