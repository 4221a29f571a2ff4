// The settings in the Windows registry, read back with the registry's own
// functions. Every test works under a key of its own below
// HKEY_CURRENT_USER\Software\Varnstead, removed afterwards, so that the user's
// own settings are never touched.

#ifdef _WIN32

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/RegistrySettingsStore.h"
#include "platform/UserEnvironment.h"
#include "settings/Settings.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace qw {
namespace {

// A key for one test, deleted with all it holds when the test ends.
class TestKey {
public:
    TestKey() {
        std::random_device random;
        path_ = "Software\\Varnstead\\QuillwrightTest-" + std::to_string(GetCurrentProcessId()) +
                "-" + std::to_string(random());
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    }
    ~TestKey() { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    const std::string& path() const { return path_; }

    bool exists() const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    // The type of a value, REG_NONE when it is missing.
    DWORD typeOf(const char* name) const {
        DWORD type = REG_NONE;
        if (RegGetValueA(HKEY_CURRENT_USER, path_.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                         nullptr, nullptr) != ERROR_SUCCESS)
            return REG_NONE;
        return type;
    }

    std::string stringValue(const char* name) const {
        char buffer[1024] = {};
        DWORD size = sizeof buffer;
        if (RegGetValueA(HKEY_CURRENT_USER, path_.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                         &size) != ERROR_SUCCESS)
            return "<missing>";
        return buffer;
    }

    DWORD dwordValue(const char* name) const {
        DWORD value = 0xDEADBEEF;
        DWORD size = sizeof value;
        RegGetValueA(HKEY_CURRENT_USER, path_.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size);
        return value;
    }

    // Puts raw data in, as another program or a .reg file might.
    void put(const char* name, DWORD type, const void* data, DWORD size) const {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void putString(const char* name, const std::string& text) const {
        put(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    void putDword(const char* name, DWORD value) const {
        put(name, REG_DWORD, &value, sizeof value);
    }

private:
    std::string path_;
};

UserEnvironment windowsUser(std::string logonName = "ann") {
    UserEnvironment env;
    env.home = "C:\\Users\\ann";
    env.currentDirectory = "C:\\Projects\\my.app";
    env.logonName = std::move(logonName);
    return env;
}

Settings sample() {
    Settings s;
    s.schemaDirectory = "D:\\Delphi Schemas\\my.lib"; // as the setup dialog leaves it
    s.schemaName = "XmlDoc.cs";
    s.coderName = "Bea \"B.\" O'Neill";
    s.endCommentStyle = 3;
    s.commentHotKey = 32768 + 8192 + 'K'; // Alt+Shift+K
    s.crossReference = CrossReference::On;
    return s;
}

TEST(RegistrySettingsStore, SettingsLiveUnderTheProgramsKey) {
    EXPECT_STREQ(kSettingsKey, "Software\\Varnstead\\Quillwright");
}

TEST(RegistrySettingsStore, FreshRegistryGivesTheDefaultsAndCreatesTheKey) {
    TestKey key;
    ASSERT_FALSE(key.exists());
    auto store = registrySettingsStore(key.path());
    const LoadedSettings loaded = loadSettings(*store, windowsUser());
    ASSERT_TRUE(loaded.store) << loaded.store.error;
    EXPECT_TRUE(key.exists()) << "a missing key is created";
    const Settings& s = loaded.settings;
    EXPECT_EQ(s.schemaDirectory, "C:\\Projects\\my.app\\");
    EXPECT_EQ(s.schemaName, "Demo.cs");
    EXPECT_EQ(s.coderName, "ann");
    EXPECT_EQ(s.endCommentStyle, 2);
    EXPECT_EQ(s.commentHotKey, 49217);
    EXPECT_EQ(s.crossReference, CrossReference::Off);
    EXPECT_TRUE(loaded.stored.empty());
    EXPECT_EQ(schemaPath(s), "C:\\Projects\\my.app\\Demo.cs");
    EXPECT_EQ(key.typeOf("Name"), static_cast<DWORD>(REG_NONE)) << "loading writes nothing";
}

TEST(RegistrySettingsStore, SavingWritesAllSixValuesWithTheirTypes) {
    TestKey key;
    auto store = registrySettingsStore(key.path());
    ASSERT_TRUE(saveSettings(*store, sample()));
    struct Row {
        const char* name;
        DWORD type;
    };
    const Row rows[] = {{"Path", REG_SZ},     {"Name", REG_SZ},    {"User", REG_SZ},
                        {"Style", REG_DWORD}, {"SCut", REG_DWORD}, {"CRef", REG_DWORD}};
    for (const Row& row : rows)
        EXPECT_EQ(key.typeOf(row.name), row.type) << row.name;
    EXPECT_EQ(key.stringValue("Path"), "D:\\Delphi Schemas\\my.lib") << "written unchanged";
    EXPECT_EQ(key.stringValue("Name"), "XmlDoc.cs");
    EXPECT_EQ(key.stringValue("User"), "Bea \"B.\" O'Neill");
    EXPECT_EQ(key.dwordValue("Style"), 3u);
    EXPECT_EQ(key.dwordValue("SCut"), static_cast<DWORD>(32768 + 8192 + 'K'));
    EXPECT_EQ(key.dwordValue("CRef"), 1u);

    Settings off = sample();
    off.crossReference = CrossReference::Off;
    ASSERT_TRUE(saveSettings(*store, off));
    EXPECT_EQ(key.dwordValue("CRef"), 0u) << "false is stored as 0";
}

TEST(RegistrySettingsStore, AllSixValuesComeBack) {
    TestKey key;
    const Settings saved = sample();
    ASSERT_TRUE(saveSettings(*registrySettingsStore(key.path()), saved));

    auto store = registrySettingsStore(key.path());
    const LoadedSettings loaded = loadSettings(*store, windowsUser(""));
    ASSERT_TRUE(loaded.store) << loaded.store.error;
    EXPECT_EQ(loaded.stored,
              (std::vector<std::string>{"Path", "Name", "User", "Style", "SCut", "CRef"}));
    const Settings& s = loaded.settings;
    EXPECT_EQ(s.schemaDirectory, "D:\\Delphi Schemas\\my.lib\\") << "with its backslash again";
    EXPECT_EQ(s.schemaName, saved.schemaName);
    EXPECT_EQ(s.coderName, saved.coderName);
    EXPECT_EQ(s.endCommentStyle, saved.endCommentStyle);
    EXPECT_EQ(s.commentHotKey, saved.commentHotKey);
    EXPECT_EQ(s.crossReference, CrossReference::On);
}

TEST(RegistrySettingsStore, StoredUserIsIgnoredWhileALogonNameIsKnown) {
    TestKey key;
    key.putString("User", "stored");
    EXPECT_EQ(
        loadSettings(*registrySettingsStore(key.path()), windowsUser("ann")).settings.coderName,
        "ann");
    EXPECT_EQ(loadSettings(*registrySettingsStore(key.path()), windowsUser("")).settings.coderName,
              "stored");
}

// Values written by hand or by another program: of the other type they are
// left out (the default stays); integers keep all 32 bits; strings need no
// terminating NUL and end at the first one.
TEST(RegistrySettingsStore, HandWrittenValuesAreReadAsTheRegistryHoldsThem) {
    TestKey key;
    key.putString("Style", "3");
    key.putDword("Name", 7);
    key.putDword("SCut", 0xFFFFFFFFu);
    key.putDword("CRef", 2);
    key.put("Path", REG_SZ, "C:\\NoNul", 8);
    key.put("User", REG_SZ, "first\0second", 13);

    const LoadedSettings loaded = loadSettings(*registrySettingsStore(key.path()), windowsUser(""));
    ASSERT_TRUE(loaded.store) << loaded.store.error;
    const Settings& s = loaded.settings;
    EXPECT_EQ(s.endCommentStyle, 2) << "a string where a number belongs keeps the default";
    EXPECT_EQ(s.schemaName, "Demo.cs") << "a number where a string belongs keeps the default";
    EXPECT_EQ(s.commentHotKey, -1);
    EXPECT_EQ(s.crossReference, CrossReference::On) << "any value but 0 is true";
    EXPECT_EQ(s.schemaDirectory, "C:\\NoNul\\");
    EXPECT_EQ(s.coderName, "first");
}

TEST(RegistrySettingsStore, StyleKeepsOnlyItsLowByte) {
    TestKey key;
    key.putDword("Style", 0x0103);
    EXPECT_EQ(
        loadSettings(*registrySettingsStore(key.path()), windowsUser()).settings.endCommentStyle,
        3);
}

TEST(RegistrySettingsStore, ValueNamesAreFoundWithoutRegardToCase) {
    TestKey key;
    key.putString("NAME", "Upper.cs");
    key.putDword("style", 1);
    const Settings s = loadSettings(*registrySettingsStore(key.path()), windowsUser()).settings;
    EXPECT_EQ(s.schemaName, "Upper.cs");
    EXPECT_EQ(s.endCommentStyle, 1);
}

TEST(RegistrySettingsStore, LongAndEmptyStringsComeBackWhole) {
    TestKey key;
    Settings s = sample();
    s.schemaDirectory = "C:\\" + std::string(2000, 'x');
    s.schemaName.clear();
    s.coderName.clear();
    ASSERT_TRUE(saveSettings(*registrySettingsStore(key.path()), s));
    const LoadedSettings loaded = loadSettings(*registrySettingsStore(key.path()), windowsUser(""));
    EXPECT_EQ(loaded.settings.schemaDirectory, s.schemaDirectory + "\\");
    EXPECT_EQ(loaded.settings.schemaName, "") << "an empty stored name is a stored name";
    EXPECT_TRUE(loaded.isStored("User"));
    EXPECT_EQ(loaded.settings.coderName, "");
}

TEST(RegistrySettingsStore, WritesWithoutAnOpenKeyFail) {
    TestKey key;
    auto store = registrySettingsStore(key.path());
    const IoResult r = store->writeString("Name", "x");
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("not open"), std::string::npos) << r.error;
    EXPECT_FALSE(store->readString("Name").has_value());
    EXPECT_FALSE(key.exists()) << "nothing was created";
}

} // namespace
} // namespace qw

#endif
