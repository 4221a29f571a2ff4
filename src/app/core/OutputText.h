#pragma once

#include <string>

namespace qw {

class ResultEditor;
struct LineBreaks;

// The bytes a result becomes on disk: the source's own line break between
// lines, a final break only where the source ended with one, and the source's
// UTF-8 byte-order mark, if it had one, at the very start.
std::string outputText(const ResultEditor& editor, const LineBreaks& source);

} // namespace qw
