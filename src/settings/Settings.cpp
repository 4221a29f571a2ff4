#include "settings/Settings.h"

#include <filesystem>
#include <string_view>

#include "platform/SettingsStore.h"
#include "platform/UserEnvironment.h"

namespace qw {
namespace {

namespace names = setting_names;

bool isFolderSeparator(char c) {
    return c == '\\' || c == '/';
}

// The separator the folder already uses, else the platform's own.
char separatorFor(std::string_view folder) {
    const auto last = folder.find_last_of("\\/");
    if (last != std::string_view::npos)
        return folder[last];
    return static_cast<char>(std::filesystem::path::preferred_separator);
}

// An empty folder stays empty: the schema name alone then names a file of the
// current folder, where a lone separator would name the root.
std::string withTrailingSeparator(std::string folder) {
    if (!folder.empty() && !isFolderSeparator(folder.back()))
        folder += separatorFor(folder);
    return folder;
}

void readStoredValues(SettingsStore& store, LoadedSettings& loaded) {
    Settings& s = loaded.settings;
    auto took = [&loaded](const char* name) {
        loaded.stored.emplace_back(name);
    };
    if (auto path = store.readString(names::kPath)) {
        s.schemaDirectory = *path;
        took(names::kPath);
    }
    if (auto name = store.readString(names::kName)) {
        s.schemaName = *name;
        took(names::kName);
    }
    if (s.coderName.empty())
        if (auto user = store.readString(names::kUser)) {
            s.coderName = *user;
            took(names::kUser);
        }
    if (auto style = store.readInteger(names::kStyle)) {
        s.endCommentStyle = static_cast<std::uint8_t>(*style & 0xFF);
        took(names::kStyle);
    }
    if (auto shortcut = store.readInteger(names::kShortcut)) {
        s.commentHotKey = *shortcut;
        took(names::kShortcut);
    }
    if (auto crossReference = store.readInteger(names::kCrossReference)) {
        s.crossReference = *crossReference != 0 ? CrossReference::On : CrossReference::Off;
        took(names::kCrossReference);
    }
}

} // namespace

LoadedSettings loadSettings(SettingsStore& store, const UserEnvironment& user) {
    LoadedSettings loaded;
    Settings& s = loaded.settings;
    s.schemaDirectory = user.currentDirectory;
    s.coderName = user.logonName;
    loaded.store = store.open();
    if (loaded.store) {
        readStoredValues(store, loaded);
        loaded.store = store.close();
    }
    s.schemaDirectory = withTrailingSeparator(s.schemaDirectory);
    return loaded;
}

bool LoadedSettings::isStored(std::string_view name) const {
    for (const auto& n : stored)
        if (n == name)
            return true;
    return false;
}

IoResult saveSettings(SettingsStore& store, const Settings& s) {
    if (IoResult opened = store.open(); !opened)
        return opened;
    const IoResult writes[] = {
        store.writeString(names::kPath, s.schemaDirectory),
        store.writeString(names::kName, s.schemaName),
        store.writeString(names::kUser, s.coderName),
        store.writeInteger(names::kStyle, s.endCommentStyle),
        store.writeInteger(names::kShortcut, s.commentHotKey),
        store.writeInteger(names::kCrossReference, s.crossReference == CrossReference::On ? 1 : 0),
    };
    IoResult closed = store.close();
    for (const auto& w : writes)
        if (!w)
            return w;
    return closed;
}

std::string schemaPath(const Settings& s) {
    const std::string& folder = s.schemaDirectory;
    if (folder.empty() || isFolderSeparator(folder.back()))
        return folder + s.schemaName;
    return folder + separatorFor(folder) + s.schemaName;
}

} // namespace qw
