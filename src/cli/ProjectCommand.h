#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/Diagnostics.h"
#include "cli/ExitStatus.h"
#include "drivers/Drivers.h"

namespace qw {
class FileSystem;
}

namespace qw::cli {

enum class Writes { Yes, No }; // --dry-run: No

struct ProjectCommandOptions {
    PassOptions pass;
    ProblemPolicy policy = ProblemPolicy::Abort;
    Writes writes = Writes::Yes;
    std::string json;      // file for the JSON report, "-" for standard output, empty for none
    bool progress = false; // tell the unit in progress on standard error
};

// One processed file of the walk, as the tool reports it.
struct WalkEntry {
    std::string name; // as the walk knows it (the project file as given, units in lower case)
    std::string path; // where it lies on disk
    int count = 0;
    bool written = false; // saved (with --dry-run: would be saved)
};

struct WalkOutcome {
    WalkEnd end = WalkEnd::Finished;
    std::vector<WalkEntry> entries;
    std::vector<AnsweredMessage> messages;
    std::vector<std::string> errors; // also printed as they happen
};

// Comments the project file and its units: the walk of the drivers, the units
// looked up in the project file's folder. Prints the report (file and count in
// a column) to `out`, diagnostics and errors to `err`.
WalkOutcome runProject(const std::string& projectFile, const ProjectCommandOptions& options,
                       FileSystem& files, std::ostream& out, std::ostream& err);

// The exit status of a walk.
ExitStatus walkStatus(const WalkOutcome& outcome);

// The report as the tool prints it: names in one column, counts right-aligned
// in the next, with "(would be written)" or "(written)" after units saved.
std::string reportColumns(const std::vector<WalkEntry>& entries, Writes writes);

} // namespace qw::cli
