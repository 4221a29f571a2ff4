#include "cli/UserSettings.h"

#include <cstdlib>

#include "platform/IniSettingsStore.h"
#include "platform/SettingsFilePath.h"
#include "platform/UserSettingsStore.h"

namespace qw::cli {

UserSettings openUserSettings(FileSystem& fs) {
    UserSettings out;
    out.user = currentUserEnvironment();
    const char* override = std::getenv(kSettingsVariable);
    if (override && *override) {
        out.store = std::make_unique<IniSettingsStore>(fs, override);
        out.location = override;
        return out;
    }
    out.store = userSettingsStore(out.user, fs);
#ifdef _WIN32
    out.location = "HKEY_CURRENT_USER\\Software\\Varnstead\\Quillwright";
#else
    out.location = settingsFilePath(out.user);
#endif
    return out;
}

} // namespace qw::cli
