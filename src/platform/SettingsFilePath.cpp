#include "platform/SettingsFilePath.h"

#include "platform/UserEnvironment.h"

namespace qw {
namespace {

std::string below(std::string folder, const char* rest) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (folder != "/")
        folder += '/';
    return folder + rest;
}

} // namespace

std::string settingsFilePath(const UserEnvironment& user) {
    // A relative XDG_CONFIG_HOME is invalid and is to be ignored.
    if (!user.configHome.empty() && user.configHome.front() == '/')
        return below(user.configHome, "Varnstead/Quillwright.conf");
    if (!user.home.empty())
        return below(user.home, ".config/Varnstead/Quillwright.conf");
    return {};
}

} // namespace qw
