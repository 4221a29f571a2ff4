#include "drivers/UnitFolder.h"

#include <algorithm>

#include "drivers/FilePaths.h"
#include "platform/FileSystem.h"
#include "text/Text.h"

namespace qw {

UnitFolder::UnitFolder(FileSystem& fs, std::string folder) : fs_(fs), folder_(std::move(folder)) {}

const std::vector<std::string>* UnitFolder::entriesLike(const std::string& lowerName) {
    // Listed once per walk: the walk itself only adds backups and temporary
    // files, which are never units it looks for.
    if (!listed_) {
        listed_ = true;
        for (std::string& entry : fs_.listDirectory(folder_.empty() ? "." : folder_))
            entries_[toLower(entry)].push_back(std::move(entry));
        for (auto& [lower, spellings] : entries_)
            std::sort(spellings.begin(), spellings.end());
    }
    const auto it = entries_.find(lowerName);
    return it == entries_.end() ? nullptr : &it->second;
}

std::optional<std::string> UnitFolder::find(const std::string& name) {
    const std::vector<std::string>* spellings = entriesLike(toLower(name));
    if (!spellings) {
        // A folder that cannot be listed may still hold the file under this name.
        std::string path = joinPath(folder_, name);
        return fs_.isFile(path) ? std::optional<std::string>(path) : std::nullopt;
    }
    if (std::find(spellings->begin(), spellings->end(), name) != spellings->end()) {
        std::string path = joinPath(folder_, name);
        if (fs_.isFile(path))
            return path;
    }
    for (const std::string& spelling : *spellings) {
        std::string path = joinPath(folder_, spelling);
        if (fs_.isFile(path))
            return path;
    }
    return std::nullopt;
}

} // namespace qw
