#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/FileCommand.h"
#include "cli/ProjectCommand.h"

namespace qw::cli {

// The report of a run as a JSON document, written file by file as each
// file's turn comes, so that only one file's part is held at a time. The
// document is the one jsonReport gives for all the files at once.
class JsonReportWriter {
public:
    JsonReportWriter(std::ostream& out, const std::string& command);
    void add(const FileReport& report);
    // Closes the document.
    void finish();

private:
    std::ostream& out_;
    bool anyFile_ = false;
};

// The reports of one run as a JSON document.
std::string jsonReport(const std::string& command, const std::vector<FileReport>& reports);

// The report of a project walk as a JSON document.
std::string jsonProjectReport(const std::string& projectFile, const WalkOutcome& outcome,
                              Writes writes);

} // namespace qw::cli
