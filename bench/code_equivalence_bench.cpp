// Times the code-equivalence check that guards unreviewed writes against the
// passes it guards, on a corpus held in memory: every Pascal source under a
// folder (the fpc-source tree by default). Prints MB/s of input for each.
//
//   code_equivalence_bench [folder] [schema]
//       (defaults: /usr/share/fpcsrc and schemas/Demo.cs, run from the source tree)

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "drivers/SaveFile.h"
#include "engine/PassHost.h"
#include "engine/SourcePass.h"
#include "platform/Clock.h"
#include "schema/SchemaFile.h"
#include "text/CodeEquivalence.h"
#include "text/ResultEditor.h"

namespace fs = std::filesystem;
using namespace qw;

namespace {

class FixedClock : public Clock {
public:
    std::string shortDate() override { return "08.12.2026"; }
    std::string longTime() override { return "10:30:00"; }
};

class IgnoringHost : public PassHost {
public:
    Button ask(const Message&) override { return Button::Ignore; }
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> loadCorpus(const fs::path& root) {
    std::vector<fs::path> paths;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string ext = it->path().extension().string();
        if (it->is_regular_file(ec) && (ext == ".pas" || ext == ".pp" || ext == ".inc"))
            paths.push_back(it->path());
    }
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> texts;
    for (const auto& p : paths)
        texts.push_back(readFile(p));
    return texts;
}

std::string passOver(const std::string& input, const PassOptions& options) {
    IgnoringHost host;
    Progress progress;
    ResultEditor editor;
    SourcePass pass(options, host, progress);
    pass.runText("bench.pas", input, editor);
    return savedText(editor, saveOptionsFor(pass.lineBreaks()));
}

// Processor time, not wall time: the figures stay fair on a busy machine.
double seconds(const std::function<void()>& work) {
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        const std::clock_t start = std::clock();
        work();
        best = std::min(best, static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path root = argc > 1 ? argv[1] : "/usr/share/fpcsrc";
    const fs::path schemaPath = argc > 2 ? argv[2] : "schemas/Demo.cs";
    const std::vector<std::string> corpus = loadCorpus(root);
    if (corpus.empty()) {
        std::fprintf(stderr, "no Pascal sources under %s\n", root.string().c_str());
        return 1;
    }
    double megabytes = 0;
    for (const auto& text : corpus)
        megabytes += static_cast<double>(text.size()) / 1e6;

    if (!fs::is_regular_file(schemaPath)) {
        std::fprintf(stderr, "no schema %s\n", schemaPath.string().c_str());
        return 1;
    }
    FixedClock clock;
    PassOptions comment;
    comment.style = EndCommentStyle::Brace;
    comment.schema = loadSchema(readFile(schemaPath));
    comment.coderName = "Bench";
    comment.clock = &clock;
    PassOptions clean;
    clean.mode = PassMode::Clean;

    std::vector<std::string> commented(corpus.size());
    std::vector<std::string> cleaned(corpus.size());
    const double commentTime = seconds([&] {
        for (std::size_t i = 0; i < corpus.size(); ++i)
            commented[i] = passOver(corpus[i], comment);
    });
    const double cleanTime = seconds([&] {
        for (std::size_t i = 0; i < corpus.size(); ++i)
            cleaned[i] = passOver(corpus[i], clean);
    });
    int mismatches = 0;
    const double checkCommentedTime = seconds([&] {
        mismatches = 0;
        for (std::size_t i = 0; i < corpus.size(); ++i)
            mismatches += findCodeMismatch(corpus[i], commented[i]).has_value();
    });
    const double checkCleanedTime = seconds([&] {
        for (std::size_t i = 0; i < corpus.size(); ++i)
            mismatches += findCodeMismatch(corpus[i], cleaned[i]).has_value();
    });

    std::printf("corpus: %zu files, %.1f MB in memory\n", corpus.size(), megabytes);
    std::printf("comment pass (style 2, schema):  %8.1f MB/s\n", megabytes / commentTime);
    std::printf("code check after commenting:     %8.1f MB/s (%.1f%% of the pass's time)\n",
                megabytes / checkCommentedTime, 100 * checkCommentedTime / commentTime);
    std::printf("clean pass:                      %8.1f MB/s\n", megabytes / cleanTime);
    std::printf("code check after cleaning:       %8.1f MB/s (%.1f%% of the pass's time)\n",
                megabytes / checkCleanedTime, 100 * checkCleanedTime / cleanTime);
    std::printf("files the check refused: %d\n", mismatches);
    return 0;
}
