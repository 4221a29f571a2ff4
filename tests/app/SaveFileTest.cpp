#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "drivers/ResultDocument.h"
#include "drivers/SaveFile.h"
#include "engine/SourcePass.h"
#include "platform/FileSystem.h"
#include "support/MemoryFileSystem.h"
#include "support/TempDir.h"
#include "support/TestSupport.h"

namespace qw {
namespace {

using test::FsOp;
using test::MemoryFileSystem;

TEST(BackupName, ReplacesTheExtensionOfTheFileNameOnly) {
    struct Case {
        const char* target;
        const char* backup;
    };
    const Case cases[] = {
        {"C:\\src\\Unit1.pas", "C:\\src\\Unit1.bak"},
        {"Unit1.pas", "Unit1.bak"},
        {"C:\\Projects\\my.app\\Main", "C:\\Projects\\my.app\\Main.bak"},
        {"/src/my.app/Main", "/src/my.app/Main.bak"},
        {"C:/mixed\\my.app/Main", "C:/mixed\\my.app/Main.bak"},
        {"C:Main", "C:Main.bak"},
        {"C:my.app", "C:my.bak"},
        {"D:\\a.b.c\\Unit.Sub.pas", "D:\\a.b.c\\Unit.Sub.bak"},
        {"/home/u/Project.dpr", "/home/u/Project.bak"},
        {"Main.", "Main.bak"},
        {"Main", "Main.bak"},
        {"Main.bak", "Main.bak"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(backupName(c.target), c.backup) << c.target;
}

constexpr const char* kTarget = "C:\\src\\Unit1.pas";
constexpr const char* kBackup = "C:\\src\\Unit1.bak";
const std::string kOld = "unit Unit1;\r\nend.\r\n";
const std::string kNew = "unit Unit1;\r\n{ changed }\r\nend.\r\n";
const std::string kOldBackup = "older backup\r\n";

bool hasTemporaryFiles(const MemoryFileSystem& fs) {
    return std::any_of(fs.files().begin(), fs.files().end(), [](const auto& entry) {
        return entry.first.find(".qwtmp") != std::string::npos;
    });
}

TEST(SaveFile, MovesTheSourceToTheBackupAndWritesTheText) {
    MemoryFileSystem fs;
    fs.addFile(kTarget, kOld);
    fs.addFile(kBackup, kOldBackup);
    SaveResult r = saveFile(fs, kTarget, kNew);
    ASSERT_TRUE(r) << r.reason;
    EXPECT_EQ(fs.bytes(kTarget), kNew);
    EXPECT_EQ(fs.bytes(kBackup), kOld);
    EXPECT_EQ(r.backupPath, kBackup);
    EXPECT_FALSE(hasTemporaryFiles(fs));
}

TEST(SaveFile, SecondSaveLeavesTheFirstSaveInTheBackup) {
    MemoryFileSystem fs;
    fs.addFile(kTarget, kOld);
    ASSERT_TRUE(saveFile(fs, kTarget, "first"));
    ASSERT_TRUE(saveFile(fs, kTarget, "second"));
    EXPECT_EQ(fs.bytes(kTarget), "second");
    EXPECT_EQ(fs.bytes(kBackup), "first");
}

TEST(SaveFile, FilesDifferingInExtensionShareOneBackup) {
    MemoryFileSystem fs;
    fs.addFile("/p/Main.pas", "pas");
    fs.addFile("/p/Main.inc", "inc");
    ASSERT_TRUE(saveFile(fs, "/p/Main.pas", "pas2"));
    ASSERT_TRUE(saveFile(fs, "/p/Main.inc", "inc2"));
    EXPECT_EQ(fs.bytes("/p/Main.bak"), "inc");
    EXPECT_EQ(fs.bytes("/p/Main.pas"), "pas2");
}

TEST(SaveFile, NewFileIsWrittenWithoutBackup) {
    MemoryFileSystem fs;
    SaveResult r = saveFile(fs, kTarget, kNew);
    ASSERT_TRUE(r);
    EXPECT_EQ(fs.bytes(kTarget), kNew);
    EXPECT_FALSE(fs.has(kBackup));
    EXPECT_EQ(r.backupPath, "");
}

TEST(SaveFile, WritesTheTemporaryFileBeforeTouchingTheBackupOrTheSource) {
    MemoryFileSystem fs;
    fs.addFile(kTarget, kOld);
    fs.addFile(kBackup, kOldBackup);
    ASSERT_TRUE(saveFile(fs, kTarget, kNew));
    std::vector<std::string> changes;
    for (const auto& call : fs.calls)
        if (call.rfind("is", 0) != 0)
            changes.push_back(call);
    const std::string temp = std::string(kTarget) + ".qwtmp";
    EXPECT_EQ(changes, (std::vector<std::string>{
                           "write " + temp,
                           "remove " + std::string(kBackup),
                           "rename " + std::string(kTarget) + " -> " + kBackup,
                           "rename " + temp + " -> " + kTarget,
                       }));
}

TEST(SaveFile, TemporaryNameAvoidsExistingFiles) {
    MemoryFileSystem fs;
    const std::string temp = std::string(kTarget) + ".qwtmp";
    fs.addFile(kTarget, kOld);
    fs.addFile(temp, "someone's file");
    ASSERT_TRUE(saveFile(fs, kTarget, kNew));
    EXPECT_EQ(fs.bytes(temp), "someone's file");
    EXPECT_EQ(fs.bytes(kTarget), kNew);
}

// Whatever fails, the target holds either its old bytes or the complete new
// ones, and the old bytes are never lost.
TEST(SaveFile, InjectedFailuresNeverLeaveAPartialTarget) {
    struct Case {
        const char* name;
        MemoryFileSystem::Failure failure;
        bool saved;
        const std::string* target; // expected bytes of the target
        const std::string* backup; // expected bytes of the backup
    };
    const Case cases[] = {
        {"temporary write fails half-way",
         {FsOp::Write, ".qwtmp", "no space left on the device", -1, 0,
          MemoryFileSystem::WriteDamage::HalfWritten},
         false,
         &kOld,
         &kOldBackup},
        {"old backup cannot be removed", {FsOp::Remove, ".bak"}, true, &kNew, &kOld},
        {"source cannot be moved to the backup", {FsOp::Rename, ".pas -> "}, true, &kNew, nullptr},
        {"temporary cannot be renamed into place",
         {FsOp::Rename, ".qwtmp -> "},
         false,
         &kOld,
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFileSystem fs;
        fs.addFile(kTarget, kOld);
        fs.addFile(kBackup, kOldBackup);
        fs.fail(c.failure);
        SaveResult r = saveFile(fs, kTarget, kNew);
        EXPECT_EQ(r.ok, c.saved);
        if (!c.saved) {
            EXPECT_EQ(r.message, "Cannot create file C:\\src\\Unit1.pas");
            EXPECT_EQ(r.reason, c.failure.reason);
        }
        ASSERT_TRUE(fs.has(kTarget));
        EXPECT_EQ(fs.bytes(kTarget), *c.target);
        if (c.backup)
            EXPECT_EQ(fs.bytes(kBackup), *c.backup);
        else
            EXPECT_FALSE(fs.has(kBackup));
        EXPECT_FALSE(hasTemporaryFiles(fs));
    }
}

TEST(SaveFile, FailedRestoreLeavesTheOldTextInTheBackup) {
    MemoryFileSystem fs;
    fs.addFile(kTarget, kOld);
    fs.failAll(FsOp::Rename, ".qwtmp -> ", "permission denied");
    fs.failAll(FsOp::Rename, ".bak -> ");
    SaveResult r = saveFile(fs, kTarget, kNew);
    ASSERT_FALSE(r);
    EXPECT_EQ(r.reason, "permission denied");
    EXPECT_EQ(r.backupPath, kBackup);
    EXPECT_EQ(fs.bytes(kBackup), kOld);
    EXPECT_FALSE(fs.has(kTarget));
}

TEST(SaveFile, TargetWithTheBackupNameIsReplacedInPlace) {
    for (const char* target : {"/p/Main.bak", "/p/Main.BAK"}) {
        SCOPED_TRACE(target);
        MemoryFileSystem fs;
        fs.addFile(target, kOld);
        SaveResult r = saveFile(fs, target, kNew);
        ASSERT_TRUE(r) << r.reason;
        EXPECT_EQ(fs.bytes(target), kNew);
        EXPECT_EQ(r.backupPath, "");
    }
}

TEST(SaveFile, FolderAsTargetChangesNothing) {
    MemoryFileSystem fs;
    fs.addFile("/p/Main.pas/inner.pas", kOld);
    SaveResult r = saveFile(fs, "/p/Main.pas", kNew);
    ASSERT_FALSE(r);
    EXPECT_EQ(r.message, "Cannot create file /p/Main.pas");
    EXPECT_EQ(fs.files().size(), 1u);
}

TEST(SaveOptions, FollowTheLineBreaksOfTheSource) {
    struct Case {
        const char* name;
        LineBreaks source;
        const char* saved; // of the lines "a", "b"
    };
    const Case cases[] = {
        {"CR LF", {2, 0, 0, true}, "a\r\nb\r\n"},
        {"LF", {0, 2, 0, true}, "a\nb\n"},
        {"CR", {0, 0, 2, true}, "a\rb\r"},
        {"mixed, LF most frequent", {1, 3, 1, true}, "a\nb\n"},
        {"mixed, CR most frequent", {1, 0, 2, false}, "a\rb"},
        {"no final break", {0, 1, 0, false}, "a\nb"},
        {"none at all", {0, 0, 0, false}, "a\r\nb"},
        {"byte-order mark",
         {0, 2, 0, true, true},
         "\xEF\xBB\xBF"
         "a\nb\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResultEditor editor;
        editor.append("a");
        editor.append("b");
        MemoryFileSystem fs;
        ASSERT_TRUE(saveFile(fs, "/p/u.pas", editor, saveOptionsFor(c.source)));
        EXPECT_EQ(fs.bytes("/p/u.pas"), c.saved);
    }
}

TEST(SaveOptions, DefaultToCrLfAfterEveryLine) {
    ResultEditor editor;
    editor.append("a");
    editor.append("b");
    MemoryFileSystem fs;
    ASSERT_TRUE(saveFile(fs, "/p/u.pas", editor, SaveOptions{}));
    EXPECT_EQ(fs.bytes("/p/u.pas"), "a\r\nb\r\n");
}

// A file the pass leaves as it is comes out of the save byte for byte, whatever
// its line breaks; a mixed one gets its most frequent break throughout.
TEST(SaveOptions, UnchangedTextIsSavedAsItCame) {
    struct Case {
        std::string source;
        std::string saved;
    };
    const std::string lf = "unit A;\ninterface\nimplementation\nend.\n";
    const Case cases[] = {
        {"unit A;\r\ninterface\r\nimplementation\r\nend.\r\n", ""},
        {"unit A;\ninterface\nimplementation\nend.", ""},
        {"unit A;\rinterface\rimplementation\rend.\r", ""},
        {"unit A;\ninterface\r\nimplementation\nend.\n", lf},
        {"\xEF\xBB\xBF" + lf, ""},
        {"unit A; end.", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        PassOptions options;
        options.mode = PassMode::Clean;
        test::ScriptedHost host;
        Progress progress;
        ResultEditor editor;
        SourcePass pass(options, host, progress);
        pass.runText("A.pas", c.source, editor);
        MemoryFileSystem fs;
        ASSERT_TRUE(saveFile(fs, "/p/A.pas", editor, saveOptionsFor(pass.lineBreaks())));
        EXPECT_EQ(fs.bytes("/p/A.pas"), c.saved.empty() ? c.source : c.saved);
    }
}

// The text spans several of the pieces it is compared in; a difference in
// any of them, or in the length, means the file changed.
TEST(ResultDocument, MatchesOnlyASourceOfTheSameBytes) {
    ResultDocument doc;
    doc.title = "/p/A.pas";
    doc.saveOptions = {"\n", ResultEditor::FinalBreak::Yes, SaveOptions::ByteOrderMark::Yes};
    for (int i = 0; i < 10000; ++i)
        doc.editor.append("  WriteLn('line " + std::to_string(i) + "');");
    const std::string same = savedText(doc.editor, doc.saveOptions);
    ASSERT_GT(same.size(), std::size_t{3} << 16);
    const auto changedAt = [&](std::size_t at) {
        std::string s = same;
        s[at] = '#';
        return s;
    };
    struct Case {
        const char* name;
        std::string source;
        bool matches;
    };
    const Case cases[] = {
        {"the same", same, true},
        {"without the mark", same.substr(3), false},
        {"first line", changedAt(5), false},
        {"a later piece", changedAt(same.size() / 2), false},
        {"last byte", changedAt(same.size() - 1), false},
        {"one byte more", same + "\n", false},
        {"one byte less", same.substr(0, same.size() - 1), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFileSystem fs;
        fs.addFile(doc.title, c.source);
        EXPECT_EQ(doc.matchesSource(fs), c.matches);
    }
    MemoryFileSystem none;
    EXPECT_FALSE(doc.matchesSource(none));
}

// The same steps on the platform's files: rename over an existing backup,
// writing, and the error text for a folder that does not exist.
TEST(SaveFileOnDisk, SavesTwiceAndReportsAMissingFolder) {
    test::TempDir dir;
    const std::string target = dir.file("Unit1.pas");
    { std::ofstream(target, std::ios::binary) << kOld; }
    FileSystem& fs = realFileSystem();
    ASSERT_TRUE(saveFile(fs, target, "first"));
    ASSERT_TRUE(saveFile(fs, target, "second"));
    EXPECT_EQ(test::readTextFile(target), "second");
    EXPECT_EQ(test::readTextFile(dir.file("Unit1.bak")), "first");
    EXPECT_EQ(fs.listDirectory(dir.path()).size(), 2u);

    const std::string missing = dir.file("no-such-folder/Unit2.pas");
    SaveResult r = saveFile(fs, missing, "x");
    ASSERT_FALSE(r);
    EXPECT_EQ(r.message, "Cannot create file " + missing);
    EXPECT_EQ(r.reason, "no such file or directory");
}

} // namespace
} // namespace qw
