// What the settings learn from Windows about the user and the process.

#ifdef _WIN32

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>

#include "platform/MemorySettingsStore.h"
#include "platform/UserEnvironment.h"
#include "settings/Settings.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace qw {
namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool hasDriveLetter(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && path[2] == '\\';
}

TEST(WindowsUserEnvironment, LogonNameIsTheWindowsUser) {
    const UserEnvironment env = currentUserEnvironment();
    ASSERT_FALSE(env.logonName.empty()) << "the logon name is known";
    // Windows sets USERNAME for the logged-on user; the names agree whatever
    // their case.
    const std::string expected = environmentValue("USERNAME");
    if (!expected.empty()) {
        EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, env.logonName.c_str(), -1,
                                 expected.c_str(), -1),
                  CSTR_EQUAL)
            << env.logonName << " / " << expected;
    }
    EXPECT_EQ(env.home, environmentValue("USERPROFILE"));
    EXPECT_TRUE(env.configHome.empty()) << "the registry needs no configuration folder";
}

TEST(WindowsUserEnvironment, StartFolderIsADrivePathAndGetsABackslash) {
    const UserEnvironment env = currentUserEnvironment();
    ASSERT_TRUE(hasDriveLetter(env.currentDirectory)) << env.currentDirectory;
    EXPECT_EQ(env.currentDirectory.find('/'), std::string::npos) << env.currentDirectory;

    MemorySettingsStore empty;
    const Settings s = loadSettings(empty, env).settings;
    EXPECT_EQ(s.coderName, env.logonName) << "the coder is the logged-on user";
    ASSERT_FALSE(s.schemaDirectory.empty());
    EXPECT_EQ(s.schemaDirectory.back(), '\\');
    EXPECT_EQ(s.schemaDirectory.find('/'), std::string::npos) << s.schemaDirectory;
    EXPECT_EQ(schemaPath(s), s.schemaDirectory + "Demo.cs");
}

TEST(WindowsUserEnvironment, FolderWithoutSeparatorTakesTheBackslash) {
    MemorySettingsStore store;
    store.put("Path", std::string("C:"));
    UserEnvironment env;
    env.logonName = "ann";
    EXPECT_EQ(loadSettings(store, env).settings.schemaDirectory, "C:\\");
    store.put("Path", std::string("C:/Schemas"));
    EXPECT_EQ(loadSettings(store, env).settings.schemaDirectory, "C:/Schemas/")
        << "a folder that uses \"/\" keeps it";
}

} // namespace
} // namespace qw

#endif
