#pragma once

#include <string>
#include <vector>

namespace qw::cli {

enum class Recursion { Off, On };

struct Discovery {
    std::vector<std::string> files;  // in the order of the arguments
    std::vector<std::string> errors; // "'src' is a folder; ..." and the like
};

// The files the arguments stand for. A file argument stands for itself (even
// when missing: reading it reports that). With recursion, a folder stands for
// every *.pas, *.inc and *.dpr below it (letter case ignored), folder by
// folder in byte order of the names; links to folders are not followed.
// Without it a folder is an error.
Discovery discoverFiles(const std::vector<std::string>& arguments, Recursion recursion);

// Whether a file name ends in .pas, .inc or .dpr, in any letter case.
bool isSourceFileName(const std::string& name);

} // namespace qw::cli
