// Prints a digest of everything the passes produce over a tree of Pascal
// sources: for each file the saved text, the comment marks, the comment count,
// the questions asked, the abort flag and the queued unit names, of commenting
// (styles 0 and 2, cross-reference off and on) and of cleaning. One line per
// file ("<hash> <path>"), then "digest <hash>" over all of them, so that two
// builds can be compared as a whole and file by file (diff the two outputs).
// Usage: corpus_digest --schema FILE (--root DIR | --list FILE)
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "CorpusFiles.h"
#include "drivers/SaveFile.h"
#include "engine/ProjectLists.h"
#include "engine/SourcePass.h"
#include "platform/Clock.h"
#include "schema/SchemaFile.h"
#include "text/ResultEditor.h"

namespace fs = std::filesystem;
using namespace qw;

namespace {

class RecordingHost : public PassHost {
public:
    Button ask(const Message& message) override {
        asked += message.text;
        asked += '\n';
        return Button::Ignore;
    }
    std::string asked;
};

// FNV-1a, 64 bits: enough to tell outputs apart, and stable across builds.
class Digest {
public:
    void add(std::string_view bytes) {
        for (unsigned char c : bytes) {
            hash_ ^= c;
            hash_ *= 0x100000001b3ULL;
        }
        add(static_cast<std::uint64_t>(bytes.size()));
    }
    void add(std::uint64_t value) {
        for (int i = 0; i < 8; ++i) {
            hash_ ^= (value >> (8 * i)) & 0xff;
            hash_ *= 0x100000001b3ULL;
        }
    }
    std::string hex() const {
        char buf[17];
        std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(hash_));
        return buf;
    }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

void digestRun(Digest& digest, std::string_view bytes, PassOptions options) {
    RecordingHost host;
    Progress progress;
    ResultEditor editor;
    ProjectLists lists;
    options.projectLists = &lists;
    SourcePass pass(options, host, progress);
    pass.runText("corpus.pas", bytes, editor);
    digest.add(savedText(editor, saveOptionsFor(pass.lineBreaks())));
    for (const CommentMark& m : editor.marks()) {
        digest.add(static_cast<std::uint64_t>(m.line));
        digest.add(static_cast<std::uint64_t>(m.column));
        digest.add(static_cast<std::uint64_t>(m.length));
    }
    digest.add(static_cast<std::uint64_t>(progress.commentCount));
    digest.add(static_cast<std::uint64_t>(progress.abortRequested ? 1 : 0));
    digest.add(host.asked);
    for (const std::string& name : lists.queue())
        digest.add(name);
}

} // namespace

int main(int argc, char** argv) {
    fs::path schemaPath, root, list;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--schema")
            schemaPath = argv[i + 1];
        else if (key == "--root")
            root = argv[i + 1];
        else if (key == "--list")
            list = argv[i + 1];
    }
    if (schemaPath.empty() || (root.empty() && list.empty())) {
        std::cerr << "usage: corpus_digest --schema FILE (--root DIR | --list FILE)\n";
        return 2;
    }
    tools::CorpusClock clock;
    PassOptions comment;
    comment.schema = loadSchema(tools::readFile(schemaPath));
    comment.coderName = "Corpus";
    comment.clock = &clock;
    PassOptions commentXref = comment;
    commentXref.crossReference = CrossReference::On;
    PassOptions commentPlain = comment;
    commentPlain.style = EndCommentStyle::None;
    PassOptions clean;
    clean.mode = PassMode::Clean;

    Digest all;
    const std::vector<fs::path> files =
        list.empty() ? tools::filesUnder(root) : tools::filesListed(list);
    for (const fs::path& path : files) {
        const std::string input = tools::readFile(path);
        Digest file;
        for (const PassOptions* options : {&comment, &commentXref, &commentPlain, &clean})
            digestRun(file, input, *options);
        std::cout << file.hex() << ' ' << path.string() << '\n';
        all.add(file.hex());
    }
    std::cout << "digest " << all.hex() << '\n';
    return 0;
}
