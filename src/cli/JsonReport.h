#pragma once

#include <string>
#include <vector>

#include "cli/FileCommand.h"

namespace qw::cli {

// The reports of one run as a JSON document.
std::string jsonReport(const std::string& command, const std::vector<FileReport>& reports);

} // namespace qw::cli
