#pragma once

#include <optional>
#include <string>

namespace qw {

class FileSystem;

// The project settings file that applies to the files of `folder` (an
// absolute path): `.quillwright` in that folder, else in the nearest folder
// above it, as .editorconfig is found. The search ends at the root or at
// `home` (the user's home folder, looked at but not beyond), so that a file
// above a user's home never decides for them.
std::optional<std::string> findProjectSettingsFile(FileSystem& fs, const std::string& folder,
                                                   const std::string& home);

} // namespace qw
