#pragma once

#include <map>
#include <string>
#include <vector>

#include "cli/ExitStatus.h"
#include "settings/ProjectSettings.h"

namespace qw {
class FileSystem;
}

namespace qw::cli {

inline constexpr int kNoProjectSettings = -1;

// The project settings files that apply to the source files of one run, each
// read once; every file is looked up before any source file is touched.
class ProjectSettingsLookup {
public:
    // `home` ends the upward search (the user's home folder).
    ProjectSettingsLookup(FileSystem& fs, std::string home);

    // The index into settings() of the project settings file that applies to
    // `sourceFile`, or kNoProjectSettings. After the first failure (a file
    // that cannot be read or holds a bad line) every call gives
    // kNoProjectSettings and failed() is set.
    int indexFor(const std::string& sourceFile);
    // The same for the files of a folder (the current one for `settings`).
    int indexForFolder(const std::string& folder);

    const std::vector<ProjectSettings>& settings() const { return settings_; }
    bool failed() const { return status_ != ExitStatus::Success; }
    ExitStatus status() const { return status_; } // Usage for a bad line, Failed for a bad read
    const std::string& error() const { return error_; }

private:
    int load(const std::string& file);

    FileSystem& fs_;
    std::string home_;
    std::vector<ProjectSettings> settings_;
    std::map<std::string, int> byFolder_;
    std::map<std::string, int> byFile_;
    ExitStatus status_ = ExitStatus::Success;
    std::string error_;
};

} // namespace qw::cli
