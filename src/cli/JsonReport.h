#pragma once

#include <string>
#include <vector>

#include "cli/FileCommand.h"
#include "cli/ProjectCommand.h"

namespace qw::cli {

// The reports of one run as a JSON document.
std::string jsonReport(const std::string& command, const std::vector<FileReport>& reports);

// The report of a project walk as a JSON document.
std::string jsonProjectReport(const std::string& projectFile, const WalkOutcome& outcome,
                              Writes writes);

} // namespace qw::cli
