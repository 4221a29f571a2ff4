#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/DiagnosticHost.h"
#include "engine/PassOptions.h"
#include "engine/ResultEditor.h"

namespace qw {
class FileSystem;
}

namespace qw::cli {

enum class Output {
    Stdout,  // the result text to standard output
    InPlace, // saved over the file, the old one kept as its backup
};

struct FileCommandOptions {
    PassOptions pass;
    Output output = Output::Stdout;
    ProblemPolicy policy = ProblemPolicy::Abort;
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

// Runs the pass over one file and writes its result where the options say.
FileReport processFile(const std::string& path, const FileCommandOptions& options,
                       FileSystem& files, std::ostream& out, std::ostream& diagnostics);

} // namespace qw::cli
