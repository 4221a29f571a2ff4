#pragma once

#include <memory>

#include "platform/SettingsStore.h"

namespace qw {

struct UserEnvironment;

// The user's own settings: the registry on Windows, the settings file in the
// user's configuration folder elsewhere.
std::unique_ptr<SettingsStore> userSettingsStore(const UserEnvironment& user, FileSystem& fs);

} // namespace qw
