#pragma once

#include <string>
#include <vector>

#include "engine/PassOptions.h"
#include "engine/Progress.h"
#include "support/TestSupport.h"
#include "text/ResultEditor.h"

namespace qw::test {

// The outcome of one pass over a text.
struct PassResult {
    std::vector<std::string> lines;
    std::string text; // lines joined with LF, final LF
    int count = 0;
    bool aborted = false;
    std::vector<Message> messages;
    std::vector<CommentMark> marks;
};

PassResult runPass(const std::string& input, const PassOptions& options,
                   ScriptedHost* host = nullptr);
PassResult commentText(const std::string& input, EndCommentStyle style = EndCommentStyle::Brace);
PassResult cleanText(const std::string& input);

} // namespace qw::test
