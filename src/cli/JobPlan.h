#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qw::cli {

// The files of a run in groups that may run side by side: files that share a
// backup name (Main.pas and Main.inc both save their old text as Main.bak),
// and a file named twice, must run one after another in argument order, or
// one save would take the other's backup. Each group holds indexes into
// `files` in ascending order; the groups are in the order of their first file.
std::vector<std::vector<std::size_t>> jobGroups(const std::vector<std::string>& files);

} // namespace qw::cli
