// The one place where the settings ask the platform about the user.

#include "platform/UserEnvironment.h"

#include <cstdlib>
#include <vector>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <cerrno>
#include <pwd.h>
#include <unistd.h>
#endif

namespace qw {
namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

#ifdef _WIN32

std::string currentDirectory() {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (n == 0)
            return {};
        if (n < buffer.size())
            return std::string(buffer.data(), n);
        buffer.resize(n + 1);
    }
}

// The user-name query with a buffer of 128 characters: a longer name gives
// none, and the stored name is used instead.
std::string logonName() {
    char name[128] = {};
    DWORD size = sizeof name;
    if (!GetUserNameA(name, &size))
        return {};
    return name;
}

#else

std::string currentDirectory() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

#endif

} // namespace

UserEnvironment currentUserEnvironment() {
    UserEnvironment env;
    env.currentDirectory = currentDirectory();
#ifdef _WIN32
    env.home = environmentValue("USERPROFILE");
    env.logonName = logonName();
#else
    env.home = environmentValue("HOME");
    env.configHome = environmentValue("XDG_CONFIG_HOME");
    // getpwuid hands out a shared record: copy what is needed at once.
    if (const passwd* user = ::getpwuid(::geteuid())) {
        if (user->pw_name)
            env.logonName = user->pw_name;
        if (env.home.empty() && user->pw_dir)
            env.home = user->pw_dir;
    }
#endif
    return env;
}

} // namespace qw
