// Runs the passes over a tree of Pascal sources and checks, file by file and
// each file in a process of its own with a time limit, that nothing crashes
// or hangs and that the properties of commenting and cleaning hold:
//   comment twice = comment once (same fixed clock, no cross-reference),
//   clean(comment(x)) = clean(x) (cross-reference off and on),
//   the code of each output is the code of the input (the save's safety net).
// Usage: corpus_check --schema FILE [--style 0..3] [--timeout SECONDS] [--write DIR]
//                     (--root DIR | --list FILE)
// With --write the commented and the cleaned text of every file go to
// DIR/commented/ and DIR/cleaned/ under the file's own name.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "CorpusFiles.h"
#include "IsolatedRun.h"
#include "drivers/SaveFile.h"
#include "engine/ProjectLists.h"
#include "engine/SourcePass.h"
#include "platform/Clock.h"
#include "schema/SchemaFile.h"
#include "text/CodeEquivalence.h"
#include "text/ResultEditor.h"

namespace fs = std::filesystem;
using namespace qw;
using qw::tools::filesListed;
using qw::tools::filesUnder;
using qw::tools::readFile;

namespace {

class IgnoringHost : public PassHost {
public:
    Button ask(const Message&) override {
        ++asked;
        return Button::Ignore;
    }
    int asked = 0;
};

struct Outcome {
    std::string saved;
    bool aborted = false;
    int asked = 0;
    int lines = 0;
};

Outcome run(std::string_view bytes, const PassOptions& options) {
    IgnoringHost host;
    Progress progress;
    ResultEditor editor;
    SourcePass pass(options, host, progress);
    pass.runText("corpus.pas", bytes, editor);
    return {savedText(editor, saveOptionsFor(pass.lineBreaks())), progress.abortRequested,
            host.asked, progress.lineCount};
}

// The first line where two texts differ, with both versions cut short.
std::string firstDifference(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    int line = 1;
    std::size_t lineStart = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) {
        if (a[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
        ++i;
    }
    auto lineOf = [&](std::string_view t) {
        std::string_view rest = t.substr(std::min(lineStart, t.size()));
        std::string s(rest.substr(0, std::min(rest.find_first_of("\r\n"), std::size_t{80})));
        return s;
    };
    return "line " + std::to_string(line) + ": \"" + lineOf(a) + "\" / \"" + lineOf(b) + "\"";
}

struct Config {
    Schema schema;
    unsigned timeout = 30;
    EndCommentStyle style = EndCommentStyle::Brace;
    fs::path writeDir;
};

// One file's checks; the result is one line of "key=value" fields separated
// by tabs, then "\t|" and the details of the failures.
std::string checkFile(const fs::path& path, const Config& config) {
    const std::string input = readFile(path);
    tools::CorpusClock clock;
    ProjectLists lists;
    PassOptions comment;
    comment.style = config.style;
    comment.schema = config.schema;
    comment.coderName = "Corpus";
    comment.clock = &clock;
    comment.projectLists = &lists;
    PassOptions commentXref = comment;
    commentXref.crossReference = CrossReference::On;
    PassOptions clean;
    clean.mode = PassMode::Clean;

    const Outcome once = run(input, comment);
    const Outcome withXref = run(input, commentXref);
    const Outcome cleaned = run(input, clean);
    const Outcome twice = run(once.saved, comment);
    const Outcome cleanedOnce = run(once.saved, clean);
    const Outcome cleanedXref = run(withXref.saved, clean);

    std::ostringstream fields;
    std::ostringstream details;
    auto property = [&](const char* name, bool holds, const std::string& detail) {
        fields << name << '=' << (holds ? 1 : 0) << '\t';
        if (!holds)
            details << name << ": " << detail << "; ";
    };
    auto net = [&](const char* name, const Outcome& out) {
        const auto m = findCodeMismatch(input, out.saved);
        property(name, !m, m ? describeCodeMismatch(*m) : "");
    };
    fields << "lines=" << once.lines << "\tbytes=" << input.size() << '\t';
    fields << "asked=" << (once.asked + cleaned.asked > 0 ? 1 : 0) << '\t';
    const bool aborted = once.aborted || withXref.aborted || cleaned.aborted;
    fields << "aborted=" << (aborted ? 1 : 0) << '\t';
    if (aborted)
        return fields.str() + "|"; // partial results: the properties do not apply
    property("twice", twice.saved == once.saved, firstDifference(once.saved, twice.saved));
    property("cleanComment", cleanedOnce.saved == cleaned.saved,
             firstDifference(cleaned.saved, cleanedOnce.saved));
    property("cleanCommentXref", cleanedXref.saved == cleaned.saved,
             firstDifference(cleaned.saved, cleanedXref.saved));
    net("codeComment", once);
    net("codeCommentXref", withXref);
    net("codeClean", cleaned);
    if (!config.writeDir.empty()) {
        std::ofstream(config.writeDir / "commented" / path.filename(), std::ios::binary)
            << once.saved;
        std::ofstream(config.writeDir / "cleaned" / path.filename(), std::ios::binary)
            << cleaned.saved;
        std::ofstream(config.writeDir / "commented-xref" / path.filename(), std::ios::binary)
            << withXref.saved;
    }
    return fields.str() + "|" + details.str();
}

std::map<std::string, std::string> parseFields(const std::string& text) {
    std::map<std::string, std::string> fields;
    std::istringstream in(text.substr(0, text.find('|')));
    for (std::string field; std::getline(in, field, '\t');) {
        const auto eq = field.find('=');
        if (eq != std::string::npos)
            fields[field.substr(0, eq)] = field.substr(eq + 1);
    }
    return fields;
}

} // namespace

int main(int argc, char** argv) {
    Config config;
    fs::path root;
    fs::path list;
    fs::path schemaPath;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const std::string value = argv[i + 1];
        if (key == "--schema")
            schemaPath = value;
        else if (key == "--timeout")
            config.timeout = static_cast<unsigned>(std::stoul(value));
        else if (key == "--style")
            config.style = static_cast<EndCommentStyle>(std::stoi(value) & 3);
        else if (key == "--write")
            config.writeDir = value;
        else if (key == "--root")
            root = value;
        else if (key == "--list")
            list = value;
    }
    if (schemaPath.empty() || (root.empty() && list.empty())) {
        std::cerr << "usage: corpus_check --schema FILE [--style 0..3] [--timeout S] [--write DIR] "
                     "(--root DIR | --list FILE)\n";
        return 2;
    }
    config.schema = loadSchema(readFile(schemaPath));
    if (config.schema.empty()) {
        std::cerr << "cannot read the schema " << schemaPath << "\n";
        return 2;
    }
    if (!config.writeDir.empty()) {
        fs::create_directories(config.writeDir / "commented");
        fs::create_directories(config.writeDir / "cleaned");
        fs::create_directories(config.writeDir / "commented-xref");
    }
    const std::vector<fs::path> files = list.empty() ? filesUnder(root) : filesListed(list);

    const char* const properties[] = {"twice",       "cleanComment",    "cleanCommentXref",
                                      "codeComment", "codeCommentXref", "codeClean"};
    std::map<std::string, int> failed;
    long long lines = 0, bytes = 0;
    int crashed = 0, timedOut = 0, asked = 0, aborted = 0, failures = 0;
    for (const fs::path& file : files) {
        const auto r =
            qw::tools::runIsolated([&] { return checkFile(file, config); }, config.timeout);
        if (r.end == qw::tools::IsolatedResult::End::TimedOut) {
            ++timedOut;
            ++failures;
            std::cout << "FAIL\t" << file.string() << "\ttimeout after " << config.timeout
                      << " s\n";
            continue;
        }
        if (r.end == qw::tools::IsolatedResult::End::Crashed) {
            ++crashed;
            ++failures;
            std::cout << "FAIL\t" << file.string() << "\tcrash (signal " << r.signal << ")\n";
            continue;
        }
        auto fields = parseFields(r.output);
        lines += std::stoll(fields["lines"]);
        bytes += std::stoll(fields["bytes"]);
        asked += fields["asked"] == "1";
        aborted += fields["aborted"] == "1";
        if (fields["aborted"] == "1") {
            std::cout << "ABORTED\t" << file.string() << "\n";
            continue;
        }
        bool ok = true;
        for (const char* p : properties)
            if (fields[p] != "1") {
                ++failed[p];
                ok = false;
            }
        if (!ok) {
            ++failures;
            std::cout << "FAIL\t" << file.string() << "\t"
                      << (fields["asked"] == "1" ? "[warned] " : "")
                      << r.output.substr(r.output.find('|') + 1) << "\n";
        }
    }
    std::cout << "\nfiles: " << files.size() << ", lines: " << lines << ", bytes: " << bytes
              << "\ncrashes: " << crashed << ", time-outs: " << timedOut
              << ", files with a warning (string over a line end): " << asked
              << ", aborted passes: " << aborted << "\n";
    for (const char* p : properties)
        std::cout << p << " fails: " << failed[p] << "\n";
    std::cout << "corpus: " << (files.size() - static_cast<std::size_t>(failures)) << " passed, "
              << failures << " failed\n";
    return failures == 0 ? 0 : 1;
}
