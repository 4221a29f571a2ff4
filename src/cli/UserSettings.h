#pragma once

#include <memory>
#include <string>

#include "platform/SettingsStore.h"
#include "platform/UserEnvironment.h"
#include "settings/Settings.h"

namespace qw {
class FileSystem;
}

namespace qw::cli {

// The environment variable that names a settings file to use instead of the
// user's own (on every platform, the registry included): for tests, and for
// keeping a project's settings beside it.
inline constexpr const char* kSettingsVariable = "QUILLWRIGHT_SETTINGS";

// The user's settings store and where it is, in words.
struct UserSettings {
    UserEnvironment user;
    std::unique_ptr<SettingsStore> store;
    std::string location; // the settings file, or the registry key
};

// The store the tool reads and changes: the file that QUILLWRIGHT_SETTINGS
// names, else the user's own store ($XDG_CONFIG_HOME/Varnstead/Quillwright.conf
// or ~/.config/..., the registry on Windows).
UserSettings openUserSettings(FileSystem& fs);

} // namespace qw::cli
