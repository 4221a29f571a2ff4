#include <gtest/gtest.h>

#include "platform/MemorySettingsStore.h"
#include "platform/UserEnvironment.h"
#include "settings/Settings.h"

namespace qw {
namespace {

using Value = MemorySettingsStore::Value;

UserEnvironment user(std::string logonName = "ann", std::string start = "/work/start") {
    UserEnvironment env;
    env.home = "/home/ann";
    env.currentDirectory = std::move(start);
    env.logonName = std::move(logonName);
    return env;
}

TEST(Settings, EmptyStoreGivesTheDefaults) {
    MemorySettingsStore store;
    LoadedSettings loaded = loadSettings(store, user());
    ASSERT_TRUE(loaded.store);
    const Settings& s = loaded.settings;
    EXPECT_EQ(s.schemaDirectory, "/work/start/");
    EXPECT_EQ(s.schemaName, "Demo.cs");
    EXPECT_EQ(s.coderName, "ann");
    EXPECT_EQ(s.endCommentStyle, 2);
    EXPECT_EQ(s.commentHotKey, 49217);
    EXPECT_EQ(s.crossReference, CrossReference::Off);
    EXPECT_EQ(schemaPath(s), "/work/start/Demo.cs");
    EXPECT_EQ(store.size(), 0u) << "loading writes nothing";
    EXPECT_TRUE(loaded.stored.empty());
    EXPECT_FALSE(loaded.isStored("Name"));
}

TEST(Settings, SavedValuesComeBackAndTheStoreHoldsAllSix) {
    Settings s;
    s.schemaDirectory = "C:\\Schemas";
    s.schemaName = "Boxed.cs";
    s.coderName = "Bea";
    s.endCommentStyle = 3;
    s.commentHotKey = 8192 + 16384 + 'Q';
    s.crossReference = CrossReference::On;
    MemorySettingsStore store;
    ASSERT_TRUE(saveSettings(store, s));
    EXPECT_EQ(store.get("Path"), Value(std::string("C:\\Schemas")));
    EXPECT_EQ(store.get("Name"), Value(std::string("Boxed.cs")));
    EXPECT_EQ(store.get("User"), Value(std::string("Bea")));
    EXPECT_EQ(store.get("Style"), Value(3));
    EXPECT_EQ(store.get("SCut"), Value(8192 + 16384 + 'Q'));
    EXPECT_EQ(store.get("CRef"), Value(1));
    EXPECT_EQ(store.size(), 6u);

    const LoadedSettings loaded = loadSettings(store, user(""));
    EXPECT_EQ(loaded.stored,
              (std::vector<std::string>{"Path", "Name", "User", "Style", "SCut", "CRef"}));
    const Settings& back = loaded.settings;
    EXPECT_EQ(back.schemaDirectory, "C:\\Schemas\\") << "the folder gets its separator again";
    EXPECT_EQ(back.schemaName, "Boxed.cs");
    EXPECT_EQ(back.coderName, "Bea");
    EXPECT_EQ(back.endCommentStyle, 3);
    EXPECT_EQ(back.commentHotKey, 8192 + 16384 + 'Q');
    EXPECT_EQ(back.crossReference, CrossReference::On);
    EXPECT_EQ(schemaPath(back), "C:\\Schemas\\Boxed.cs");
}

TEST(Settings, EveryValueIsReadOnceAndWrittenOnce) {
    MemorySettingsStore store;
    Settings s = loadSettings(store, user()).settings;
    EXPECT_EQ(store.opens, 1);
    EXPECT_EQ(store.closes, 1);
    EXPECT_EQ(store.writes, 0);
    ASSERT_TRUE(saveSettings(store, s));
    EXPECT_EQ(store.opens, 2);
    EXPECT_EQ(store.closes, 2);
    EXPECT_EQ(store.writes, 6) << "all values are written, also unchanged ones";
}

TEST(Settings, StoredUserCountsOnlyWithoutALogonName) {
    MemorySettingsStore store;
    store.put("User", std::string("Stored Name"));
    EXPECT_EQ(loadSettings(store, user("ann")).settings.coderName, "ann");
    EXPECT_EQ(loadSettings(store, user("")).settings.coderName, "Stored Name");
}

TEST(Settings, ValuesOfTheWrongTypeKeepTheirDefaults) {
    MemorySettingsStore store;
    store.put("Path", 7);
    store.put("Name", 1);
    store.put("User", 5);
    store.put("Style", std::string("1"));
    store.put("SCut", std::string("Ctrl+Q"));
    store.put("CRef", std::string("1"));
    const LoadedSettings loaded = loadSettings(store, user(""));
    EXPECT_TRUE(loaded.stored.empty()) << "a value of the wrong type counts as not stored";
    const Settings& s = loaded.settings;
    EXPECT_EQ(s.schemaDirectory, "/work/start/");
    EXPECT_EQ(s.schemaName, "Demo.cs");
    EXPECT_EQ(s.coderName, "");
    EXPECT_EQ(s.endCommentStyle, 2);
    EXPECT_EQ(s.commentHotKey, 49217);
    EXPECT_EQ(s.crossReference, CrossReference::Off);
}

TEST(Settings, StyleTakesItsLowByteAndCrossReferenceAnyNonZero) {
    struct Case {
        std::int32_t style;
        std::uint8_t loaded;
        std::int32_t cref;
        CrossReference crossReference;
    };
    const Case cases[] = {
        {0, 0, 0, CrossReference::Off},          {3, 3, 1, CrossReference::On},
        {0x101, 1, 2, CrossReference::On},       {-1, 255, -1, CrossReference::On},
        {0x7FFFFF00, 0, 0, CrossReference::Off},
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        store.put("Style", c.style);
        store.put("CRef", c.cref);
        const Settings s = loadSettings(store, user()).settings;
        EXPECT_EQ(s.endCommentStyle, c.loaded) << c.style;
        EXPECT_EQ(s.crossReference, c.crossReference) << c.cref;
    }
}

TEST(Settings, ValueNamesIgnoreLetterCase) {
    MemorySettingsStore store;
    store.put("style", 1);
    store.put("PATH", std::string("/s"));
    const Settings s = loadSettings(store, user()).settings;
    EXPECT_EQ(s.endCommentStyle, 1);
    EXPECT_EQ(s.schemaDirectory, "/s/");
}

TEST(Settings, SchemaFolderAlwaysEndsWithASeparatorOfItsOwnKind) {
    struct Case {
        const char* stored;
        const char* loaded;
    };
    const Case cases[] = {
        {"C:\\Schemas", "C:\\Schemas\\"},
        {"C:\\Schemas\\", "C:\\Schemas\\"},
        {"/home/ann/schemas", "/home/ann/schemas/"},
        {"/home/ann/schemas/", "/home/ann/schemas/"},
        {"", ""},
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        store.put("Path", std::string(c.stored));
        EXPECT_EQ(loadSettings(store, user()).settings.schemaDirectory, c.loaded) << c.stored;
    }
}

TEST(Settings, SchemaFolderIsSavedAsItStands) {
    Settings s;
    s.schemaDirectory = "/home/ann/schemas"; // as the setup dialog leaves it
    MemorySettingsStore store;
    ASSERT_TRUE(saveSettings(store, s));
    EXPECT_EQ(store.get("Path"), Value(std::string("/home/ann/schemas")));
}

TEST(Settings, SchemaPathJoinsFolderAndName) {
    struct Case {
        const char* folder;
        const char* name;
        const char* path;
    };
    const Case cases[] = {
        {"/home/ann/schemas/", "Demo.cs", "/home/ann/schemas/Demo.cs"},
        {"/home/ann/schemas", "Demo.cs", "/home/ann/schemas/Demo.cs"},
        {"C:\\Schemas", "Demo.cs", "C:\\Schemas\\Demo.cs"},
        {"C:\\Schemas\\", "Demo.cs", "C:\\Schemas\\Demo.cs"},
        {"", "Demo.cs", "Demo.cs"},
    };
    for (const auto& c : cases) {
        Settings s;
        s.schemaDirectory = c.folder;
        s.schemaName = c.name;
        EXPECT_EQ(schemaPath(s), c.path);
    }
}

} // namespace
} // namespace qw
