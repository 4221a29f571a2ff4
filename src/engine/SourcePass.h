#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/PassHost.h"
#include "engine/PassOptions.h"
#include "engine/Progress.h"
#include "text/LineBreaks.h"

namespace qw {

class ResultEditor;

// One pass over one source file: comments it (or, in clean mode, strips its
// comments) into a ResultEditor. Problems in the input are put to the host;
// counts and the abort flag are in `progress`.
class SourcePass {
public:
    SourcePass(const PassOptions& options, PassHost& host, Progress& progress);
    ~SourcePass();

    // Reads the file through the options' file system, line by line; false
    // when it could not be opened (the host was told).
    bool run(const std::string& fileName, ResultEditor& editor);
    // Runs over bytes already in memory; `fileName` names them in messages.
    void runText(const std::string& fileName, std::string_view bytes, ResultEditor& editor);

    // How the lines of the last input ended.
    const LineBreaks& lineBreaks() const { return breaks_; }

private:
    class Impl;
    PassOptions options_; // a copy: callers may hand in a temporary
    PassHost& host_;
    Progress& progress_;
    LineBreaks breaks_;
};

} // namespace qw
