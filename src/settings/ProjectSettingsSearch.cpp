#include "settings/ProjectSettingsSearch.h"

#include "platform/FileSystem.h"
#include "platform/FolderPath.h"
#include "settings/ProjectSettings.h"

namespace qw {

std::optional<std::string> findProjectSettingsFile(FileSystem& fs, const std::string& folder,
                                                   const std::string& home) {
    for (std::string at = folder; !at.empty(); at = parentFolder(at)) {
        std::string candidate = resolvedAgainst(at, kProjectSettingsFileName);
        if (fs.isFile(candidate))
            return candidate;
        if (!home.empty() && sameFolder(at, home))
            break;
    }
    return std::nullopt;
}

} // namespace qw
