// The one place that picks the platform's settings store.

#include "schema/UserSettingsStore.h"

#ifdef _WIN32
#include "schema/RegistrySettingsStore.h"
#else
#include "schema/IniSettingsStore.h"
#include "schema/SettingsFilePath.h"
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
