// The one place that picks the platform's settings store.

#include "platform/UserSettingsStore.h"

#ifdef _WIN32
#include "platform/RegistrySettingsStore.h"
#else
#include "platform/IniSettingsStore.h"
#include "platform/SettingsFilePath.h"
#endif

namespace qw {

std::unique_ptr<SettingsStore> userSettingsStore(const UserEnvironment& user, FileSystem& fs) {
#ifdef _WIN32
    (void)user;
    (void)fs;
    return registrySettingsStore();
#else
    return std::make_unique<IniSettingsStore>(fs, settingsFilePath(user));
#endif
}

} // namespace qw
