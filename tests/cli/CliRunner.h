#pragma once

#include <map>
#include <string>
#include <vector>

namespace qw::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built quillwright in `workDir` with a clean environment: its own
// settings file (workDir/settings.conf unless `env` names another), a fixed
// SOURCE_DATE_EPOCH of 0, the C locale, HOME (and USERPROFILE) in workDir; `env` adds or
// replaces variables (an empty value removes one).
CliResult runCli(const std::string& workDir, const std::vector<std::string>& args,
                 const std::map<std::string, std::string>& env = {});

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
bool exists(const std::string& path);

} // namespace qw::test
