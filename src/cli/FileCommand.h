#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Diagnostics.h"
#include "drivers/SaveFile.h"
#include "engine/PassOptions.h"
#include "text/ResultEditor.h"

namespace qw {
class FileSystem;
}

namespace qw::cli {

// Where the result of a file goes.
enum class Output {
    Stdout,  // the result text to standard output
    InPlace, // saved over the file, the old one kept as its backup
    Check,   // nothing written; the names of the files that would change are listed
    Diff,    // nothing written; a unified diff of what would change
    DryRun,  // nothing written; one line per file: its count and whether it would change
};

enum class KeepMarks { No, Yes };

struct FileCommandOptions {
    PassOptions pass; // schema, style, coder, cross-reference, clock; the mode is set here
    Output output = Output::Stdout;
    ProblemPolicy policy = ProblemPolicy::Abort;
    KeepMarks marks = KeepMarks::No; // the JSON report lists them
};

// What happened to one file.
struct FileReport {
    std::string file;
    int count = 0;
    bool aborted = false;
    bool changed = false; // the result differs from the file's bytes
    bool written = false;
    std::string error; // set when the file could not be read or written
    std::vector<AnsweredMessage> messages;
    std::vector<std::string> queued; // unit names from uses clauses
    std::vector<CommentMark> marks;
    bool failed() const { return aborted || !error.empty(); }
};

// A result that goes to standard output, kept as lines until its turn comes
// and then written a piece at a time.
struct PendingText {
    ResultEditor editor;
    SaveOptions options;
};

// One file's report and what it prints, kept until its turn comes.
struct FileOutcome {
    FileReport report;
    std::optional<PendingText> text; // for standard output, before `out`
    std::string out;                 // for standard output
    std::string diagnostics;         // for standard error, before the error line
};

// Runs the drivers over files one at a time, as a shell that nobody sits at:
// the pass's questions are answered by the policy and printed as
// diagnostics, and each result goes where the options say. One per worker.
class FileProcessor {
public:
    FileProcessor(const FileCommandOptions& options, FileSystem& files);
    ~FileProcessor();
    FileProcessor(const FileProcessor&) = delete;
    FileProcessor& operator=(const FileProcessor&) = delete;

    // `options` may differ from file to file (their project settings); they
    // must live as long as the processor.
    FileOutcome process(const std::string& path, const FileCommandOptions& options);

private:
    class Ui;
    std::unique_ptr<Ui> ui_;
};

} // namespace qw::cli
