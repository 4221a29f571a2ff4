#pragma once

#include <string>

namespace qw {

struct UserEnvironment;

// Where the user's settings file lives on platforms without a registry:
// $XDG_CONFIG_HOME/Varnstead/Quillwright.conf when that variable holds an
// absolute path, else ~/.config/Varnstead/Quillwright.conf. Empty when the
// user has no home folder either.
std::string settingsFilePath(const UserEnvironment& user);

} // namespace qw
