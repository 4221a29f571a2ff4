#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "settings/CrossReference.h"

namespace qw {

class SettingsStore;
struct UserEnvironment;

// The user's choices, loaded once when a program starts and saved once when
// it ends.
struct Settings {
    std::string schemaDirectory;        // folder of the schema files
    std::string schemaName = "Demo.cs"; // file name of the current schema, without folder
    std::string coderName;              // the value of "%Coder"
    std::uint8_t endCommentStyle = 2;   // 0 none, 1 "//", 2 "{ }", 3 "(* *)"
    std::int32_t commentHotKey = 49217; // Ctrl+Alt+A: key code + 8192 Shift, 16384 Ctrl, 32768 Alt
    CrossReference crossReference = CrossReference::Off;
};

// The names under which the store keeps the settings.
namespace setting_names {
inline constexpr const char* kPath = "Path";
inline constexpr const char* kName = "Name";
inline constexpr const char* kUser = "User";
inline constexpr const char* kStyle = "Style";
inline constexpr const char* kShortcut = "SCut";
inline constexpr const char* kCrossReference = "CRef";
} // namespace setting_names

struct LoadedSettings {
    Settings settings;
    IoResult store;                  // a store that could not be opened leaves every default
    std::vector<std::string> stored; // names of the values taken from the store

    // Whether the store gave this value; a first start, for instance, stores no "Name".
    bool isStored(std::string_view name) const;
};

// Defaults first (the start folder, "Demo.cs", style 2, Ctrl+Alt+A, no
// cross-reference, the logon name as coder), then every stored value of the
// right type over them; the stored coder name only when there is no logon
// name. The schema folder always ends with a folder separator afterwards.
LoadedSettings loadSettings(SettingsStore& store, const UserEnvironment& user);

// Writes all six values, also when nothing changed.
IoResult saveSettings(SettingsStore& store, const Settings& settings);

// The file of the current schema: the schema folder and the schema name.
std::string schemaPath(const Settings& settings);

} // namespace qw
