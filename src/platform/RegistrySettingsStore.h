#pragma once

#ifdef _WIN32

#include <memory>
#include <string>

#include "platform/SettingsStore.h"

namespace qw {

// The key under HKEY_CURRENT_USER that holds the settings.
inline constexpr const char* kSettingsKey = "Software\\Varnstead\\Quillwright";

// The settings in the per-user part of the registry: strings as REG_SZ,
// integers as REG_DWORD. open() opens the key, creating it when it is missing.
std::unique_ptr<SettingsStore> registrySettingsStore(std::string key = kSettingsKey);

} // namespace qw

#endif
