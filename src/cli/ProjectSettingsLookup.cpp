#include "cli/ProjectSettingsLookup.h"

#include <filesystem>

#include "platform/FileSystem.h"
#include "settings/ProjectSettingsSearch.h"

namespace qw::cli {
namespace {

// The absolute folder of a source file as the command line names it.
std::string absoluteFolderOf(const std::string& sourceFile) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(sourceFile, ec);
    return (ec ? std::filesystem::path(sourceFile) : full)
        .lexically_normal()
        .parent_path()
        .string();
}

} // namespace

ProjectSettingsLookup::ProjectSettingsLookup(FileSystem& fs, std::string home)
    : fs_(fs), home_(std::move(home)) {}

int ProjectSettingsLookup::indexFor(const std::string& sourceFile) {
    return indexForFolder(absoluteFolderOf(sourceFile));
}

int ProjectSettingsLookup::indexForFolder(const std::string& folder) {
    if (failed())
        return kNoProjectSettings;
    if (const auto known = byFolder_.find(folder); known != byFolder_.end())
        return known->second;
    const std::optional<std::string> file = findProjectSettingsFile(fs_, folder, home_);
    const int index = file ? load(*file) : kNoProjectSettings;
    byFolder_[folder] = index;
    return index;
}

int ProjectSettingsLookup::load(const std::string& file) {
    if (const auto known = byFile_.find(file); known != byFile_.end())
        return known->second;
    std::string text;
    if (const IoResult read = fs_.readFile(file, text); !read) {
        status_ = ExitStatus::Failed;
        error_ = "cannot read '" + file + "': " + read.error;
        return kNoProjectSettings;
    }
    ProjectSettingsResult parsed = parseProjectSettings(file, text);
    if (!parsed.settings) {
        status_ = ExitStatus::Usage;
        error_ = parsed.error;
        return kNoProjectSettings;
    }
    settings_.push_back(std::move(*parsed.settings));
    const int index = static_cast<int>(settings_.size()) - 1;
    byFile_[file] = index;
    return index;
}

} // namespace qw::cli
