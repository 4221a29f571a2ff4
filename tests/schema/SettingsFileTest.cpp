#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "platform/FileSystem.h"
#include "platform/IniSettingsStore.h"
#include "platform/SettingsFilePath.h"
#include "platform/UserEnvironment.h"
#include "platform/UserSettingsStore.h"
#include "settings/Settings.h"
#include "support/MemoryFileSystem.h"
#include "support/TempDir.h"
#include "support/TestSupport.h"

namespace qw {
namespace {

using test::FsOp;
using test::MemoryFileSystem;

const char* const kFile = "/home/ann/.config/Varnstead/Quillwright.conf";

UserEnvironment ann() {
    UserEnvironment env;
    env.home = "/home/ann";
    env.currentDirectory = "/work";
    env.logonName = "ann";
    return env;
}

Settings sample() {
    Settings s;
    s.schemaDirectory = "/home/ann/schemas";
    s.schemaName = "Boxed.cs";
    s.coderName = "Ann Example";
    s.endCommentStyle = 1;
    s.commentHotKey = 16384 + 'K';
    s.crossReference = CrossReference::On;
    return s;
}

TEST(SettingsFilePath, FollowsTheConfigurationFolderConvention) {
    struct Case {
        const char* home;
        const char* configHome;
        const char* path;
    };
    const Case cases[] = {
        {"/home/ann", "", "/home/ann/.config/Varnstead/Quillwright.conf"},
        {"/home/ann/", "", "/home/ann/.config/Varnstead/Quillwright.conf"},
        {"/home/ann", "/xdg/conf", "/xdg/conf/Varnstead/Quillwright.conf"},
        {"/home/ann", "/xdg/conf/", "/xdg/conf/Varnstead/Quillwright.conf"},
        {"/home/ann", "relative/conf", "/home/ann/.config/Varnstead/Quillwright.conf"},
        {"/", "", "/.config/Varnstead/Quillwright.conf"},
        {"", "/xdg", "/xdg/Varnstead/Quillwright.conf"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        UserEnvironment env;
        env.home = c.home;
        env.configHome = c.configHome;
        EXPECT_EQ(settingsFilePath(env), c.path) << c.home << " | " << c.configHome;
    }
}

TEST(SettingsFile, NewFileHoldsAllSixValuesUnderItsHeading) {
    MemoryFileSystem fs;
    IniSettingsStore store(fs, kFile);
    ASSERT_TRUE(saveSettings(store, sample()));
    EXPECT_EQ(fs.bytes(kFile), "; Quillwright settings\n"
                               "[Quillwright]\n"
                               "Path=/home/ann/schemas\n"
                               "Name=Boxed.cs\n"
                               "User=Ann Example\n"
                               "Style=1\n"
                               "SCut=16459\n"
                               "CRef=1\n");
    EXPECT_TRUE(fs.isDirectory("/home/ann/.config/Varnstead")) << "its folders are made";
}

// The user's store is this file only where there is no registry; on Windows
// these two would write the user's own registry key.
#ifndef _WIN32
TEST(SettingsFile, RoundTripOnDiskKeepsEveryByteOfTheStrings) {
    test::TempDir dir;
    UserEnvironment env = ann();
    env.configHome = dir.path();
    Settings s = sample();
    s.schemaDirectory = "C:\\Odd \"folder\"\\";
    s.schemaName = "  two blanks around  ";
    s.coderName = std::string("Tab\there, line\nbreak, \x01, \xE9t\xE9, \"quoted\"");
    s.commentHotKey = -1;
    {
        auto store = userSettingsStore(env, realFileSystem());
        ASSERT_TRUE(saveSettings(*store, s));
    }
    EXPECT_TRUE(realFileSystem().isFile(dir.file("Varnstead/Quillwright.conf")));
    auto store = userSettingsStore(env, realFileSystem());
    const LoadedSettings loaded =
        loadSettings(*store, UserEnvironment{env.home, env.configHome, "/work", ""});
    ASSERT_TRUE(loaded.store) << loaded.store.error;
    EXPECT_EQ(loaded.settings.schemaDirectory, s.schemaDirectory);
    EXPECT_EQ(loaded.settings.schemaName, s.schemaName);
    EXPECT_EQ(loaded.settings.coderName, s.coderName);
    EXPECT_EQ(loaded.settings.endCommentStyle, s.endCommentStyle);
    EXPECT_EQ(loaded.settings.commentHotKey, -1);
    EXPECT_EQ(loaded.settings.crossReference, CrossReference::On);
    const std::string text = test::readTextFile(dir.file("Varnstead/Quillwright.conf"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8) << "one line per value:\n" << text;
}
#endif

TEST(SettingsFile, ReadsAHandWrittenFile) {
    MemoryFileSystem fs;
    fs.addFile(kFile, "# my settings\r\n"
                      "[Other]\r\n"
                      "Style=3\r\n"
                      "\r\n"
                      "[quillwright]\r\n"
                      "  path =  C:\\Schemas\\  \r\n"
                      "NAME=\"  spaced.cs\"\r\n"
                      "Style = 1\r\n"
                      "SCut=\"49218\"\r\n"
                      "CRef=4294967295\r\n");
    IniSettingsStore store(fs, kFile);
    const LoadedSettings loaded = loadSettings(store, ann());
    ASSERT_TRUE(loaded.store);
    const Settings& s = loaded.settings;
    EXPECT_EQ(s.schemaDirectory, "C:\\Schemas\\");
    EXPECT_EQ(s.schemaName, "  spaced.cs");
    EXPECT_EQ(s.endCommentStyle, 1) << "the other section's Style is not ours";
    EXPECT_EQ(s.commentHotKey, 49217) << "a quoted number is a string";
    EXPECT_EQ(s.crossReference, CrossReference::On);
}

TEST(SettingsFile, IntegersAreDecimal32BitNumbers) {
    struct Case {
        const char* text;
        std::int32_t loaded; // of SCut; 49217 when it is no number
    };
    const Case cases[] = {
        {"49218", 49218},
        {"+7", 7},
        {"-2147483648", INT32_MIN},
        {"4294967295", -1},
        {"4294967296", 49217},
        {"-2147483649", 49217},
        {"0x41", 49217},
        {"12 34", 49217},
        {"", 49217},
        {"-", 49217},
        {"99999999999999999999", 49217},
    };
    for (const auto& c : cases) {
        MemoryFileSystem fs;
        fs.addFile(kFile, std::string("[Quillwright]\nSCut=") + c.text + "\n");
        IniSettingsStore store(fs, kFile);
        EXPECT_EQ(loadSettings(store, ann()).settings.commentHotKey, c.loaded) << c.text;
    }
}

TEST(SettingsFile, SavingKeepsLinesItDoesNotKnow) {
    MemoryFileSystem fs;
    fs.addFile(kFile, "# kept comment\n"
                      "[Quillwright]\n"
                      "Style=3\n"
                      "Extra=kept\n"
                      "\n"
                      "[Other]\n"
                      "Path=not ours\n");
    IniSettingsStore store(fs, kFile);
    ASSERT_TRUE(saveSettings(store, sample()));
    EXPECT_EQ(fs.bytes(kFile), "# kept comment\n"
                               "[Quillwright]\n"
                               "Style=1\n"
                               "Extra=kept\n"
                               "Path=/home/ann/schemas\n"
                               "Name=Boxed.cs\n"
                               "User=Ann Example\n"
                               "SCut=16459\n"
                               "CRef=1\n"
                               "\n"
                               "[Other]\n"
                               "Path=not ours\n");
}

TEST(SettingsFile, MissingFileLoadsDefaultsAndWritesNothing) {
    MemoryFileSystem fs;
    IniSettingsStore store(fs, kFile);
    const LoadedSettings loaded = loadSettings(store, ann());
    ASSERT_TRUE(loaded.store);
    EXPECT_EQ(loaded.settings.schemaName, "Demo.cs");
    EXPECT_TRUE(fs.files().empty());
}

TEST(SettingsFile, UnreadableFileIsReportedAndLeavesTheDefaults) {
    MemoryFileSystem fs;
    fs.addFile(kFile, "[Quillwright]\nStyle=0\n");
    fs.failAll(FsOp::Read, kFile, "permission denied");
    IniSettingsStore store(fs, kFile);
    const LoadedSettings loaded = loadSettings(store, ann());
    EXPECT_FALSE(loaded.store);
    EXPECT_EQ(loaded.store.error, std::string("cannot read ") + kFile + ": permission denied");
    EXPECT_EQ(loaded.settings.endCommentStyle, 2);
    EXPECT_EQ(loaded.settings.schemaDirectory, "/work/");
    EXPECT_FALSE(saveSettings(store, sample())) << "a file it could not read is not overwritten";
    EXPECT_EQ(fs.bytes(kFile), "[Quillwright]\nStyle=0\n");
}

#ifndef _WIN32
TEST(SettingsFile, UserWithoutHomeHasNoSettingsFile) {
    MemoryFileSystem fs;
    auto store = userSettingsStore(UserEnvironment{"", "", "/work", "ann"}, fs);
    const LoadedSettings loaded = loadSettings(*store, ann());
    EXPECT_FALSE(loaded.store);
    EXPECT_EQ(loaded.settings.coderName, "ann");
    EXPECT_FALSE(saveSettings(*store, sample()));
    EXPECT_TRUE(fs.files().empty());
}
#endif

// A write that fails at any step leaves the old file whole, and no temporary
// file behind.
TEST(SettingsFile, FailedWriteLeavesTheOldFile) {
    const std::string old = "[Quillwright]\nStyle=3\n";
    const MemoryFileSystem::Failure failures[] = {
        {FsOp::Write, ".qwtmp", "no space left on the device", -1, 0,
         MemoryFileSystem::WriteDamage::HalfWritten},
        {FsOp::Rename, ".qwtmp", "permission denied"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.reason);
        MemoryFileSystem fs;
        fs.addFile(kFile, old);
        fs.fail(failure);
        IniSettingsStore store(fs, kFile);
        IoResult saved = saveSettings(store, sample());
        EXPECT_FALSE(saved);
        EXPECT_EQ(saved.error, std::string("cannot write ") + kFile + ": " + failure.reason);
        EXPECT_EQ(fs.bytes(kFile), old);
        EXPECT_EQ(fs.files().size(), 1u);
    }
}

TEST(SettingsFile, FolderThatCannotBeMadeIsReported) {
    MemoryFileSystem fs;
    fs.failAll(FsOp::CreateDirectory, "Varnstead", "permission denied");
    IniSettingsStore store(fs, kFile);
    IoResult saved = saveSettings(store, sample());
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.error, std::string("cannot write ") + kFile + ": permission denied");
    EXPECT_TRUE(fs.files().empty());
}

} // namespace
} // namespace qw
