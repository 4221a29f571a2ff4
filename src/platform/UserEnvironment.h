#pragma once

#include <string>

namespace qw {

// What the settings need to know of the user and the process, looked up once
// by the program and handed in, so that tests can set every part of it.
struct UserEnvironment {
    std::string home;             // the user's home folder (HOME)
    std::string configHome;       // XDG_CONFIG_HOME; empty when not set
    std::string currentDirectory; // where the program started
    std::string logonName;        // the logged-on user's name; empty when unknown
};

// The platform's answers for the running process.
UserEnvironment currentUserEnvironment();

} // namespace qw
