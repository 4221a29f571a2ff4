#include "support/PassRunner.h"

#include "engine/SourcePass.h"

namespace qw::test {

PassResult runPass(const std::string& input, const PassOptions& options, ScriptedHost* host) {
    ScriptedHost fallbackHost;
    ScriptedHost& h = host ? *host : fallbackHost;
    Progress progress;
    ResultEditor editor;
    SourcePass pass(options, h, progress);
    pass.runText("test.pas", input, editor);
    PassResult r;
    r.lines = editor.lines();
    r.text = joinLines(r.lines);
    r.count = progress.commentCount;
    r.aborted = progress.abortRequested;
    r.messages = h.messages;
    r.marks = editor.marks();
    return r;
}

PassResult commentText(const std::string& input, EndCommentStyle style) {
    PassOptions options;
    options.style = style;
    return runPass(input, options);
}

PassResult cleanText(const std::string& input) {
    PassOptions options;
    options.mode = PassMode::Clean;
    return runPass(input, options);
}

} // namespace qw::test
