// Saving on Windows' own files: drive letters and backslashes, names that
// differ only in letter case, renames onto existing files, blanks in names,
// paths longer than MAX_PATH, and the exact bytes of the saved text.

#ifdef _WIN32

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "drivers/SaveFile.h"
#include "engine/Progress.h"
#include "engine/SourcePass.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"
#include "support/TestSupport.h"
#include "text/ResultEditor.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace qw {
namespace {

FileSystem& disk() {
    return realFileSystem();
}

std::string read(const std::string& path) {
    std::string bytes;
    const IoResult r = disk().readFile(path, bytes);
    return r ? bytes : "<" + r.error + ">";
}

void write(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(disk().writeFile(path, bytes)) << path;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The entries of a folder, in lower case and sorted, to compare as Windows does.
std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names = disk().listDirectory(folder);
    for (auto& n : names)
        n = lower(n);
    std::sort(names.begin(), names.end());
    return names;
}

// Removes a folder with everything in it; `path` is in the "\\\\?\\" form.
bool removeTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry{};
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(h, &entry));
        FindClose(h);
    }
    return RemoveDirectoryW(path.c_str()) != 0;
}

bool hasDriveLetter(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && path[2] == '\\';
}

// A folder of its own whose path has a drive letter and backslashes.
class WindowsFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(hasDriveLetter(dir_.path())) << dir_.path(); }
    std::string in(const std::string& relative) const { return dir_.path() + "\\" + relative; }
    std::string folder(const std::string& relative) const {
        const std::string path = in(relative);
        EXPECT_TRUE(disk().createDirectory(path)) << path;
        return path;
    }

    test::TempDir dir_;
};

TEST_F(WindowsFiles, BackupLiesBesideTheFileWhateverTheDotsAndSlashes) {
    folder("my.app");
    struct Case {
        const char* target;
        const char* backup;
    };
    const Case cases[] = {
        {"my.app\\Main", "my.app\\Main.bak"},
        {"my.app\\Unit1.pas", "my.app\\Unit1.bak"},
        {"my.app/Unit2.inc", "my.app/Unit2.bak"},
        {"my.app\\Project.v2.dpr", "my.app\\Project.v2.bak"},
    };
    for (const Case& c : cases) {
        const std::string target = in(c.target);
        write(target, "old text");
        const SaveResult r = saveFile(disk(), target, "new text");
        ASSERT_TRUE(r) << c.target << ": " << r.reason;
        EXPECT_EQ(r.backupPath, in(c.backup)) << c.target;
        EXPECT_EQ(read(target), "new text") << c.target;
        EXPECT_EQ(read(in(c.backup)), "old text") << c.target;
    }
    EXPECT_EQ(entriesOf(in("my.app")),
              (std::vector<std::string>{"main", "main.bak", "project.v2.bak", "project.v2.dpr",
                                        "unit1.bak", "unit1.pas", "unit2.bak", "unit2.inc"}))
        << "no temporary file is left";
}

TEST_F(WindowsFiles, NamesDifferingInCaseAreOneFile) {
    write(in("Unit1.pas"), "original");
    write(in("UNIT1.BAK"), "older backup");
    const std::string typed = in("UNIT1.PAS");
    ASSERT_TRUE(disk().isFile(typed));
    const SaveResult r = saveFile(disk(), typed, "commented");
    ASSERT_TRUE(r) << r.reason;
    EXPECT_EQ(read(in("unit1.pas")), "commented");
    EXPECT_EQ(read(in("Unit1.bak")), "original") << "the older backup is replaced";
    EXPECT_EQ(entriesOf(dir_.path()), (std::vector<std::string>{"unit1.bak", "unit1.pas"}));
}

TEST_F(WindowsFiles, FileNamedLikeItsBackupInOtherCaseIsNotLost) {
    write(in("Notes.BAK"), "notes");
    const SaveResult r = saveFile(disk(), in("Notes.BAK"), "new notes");
    ASSERT_TRUE(r) << r.reason;
    EXPECT_TRUE(r.backupPath.empty()) << "a file cannot be its own backup";
    EXPECT_EQ(read(in("notes.bak")), "new notes");
    EXPECT_EQ(entriesOf(dir_.path()), (std::vector<std::string>{"notes.bak"}));
}

TEST_F(WindowsFiles, RenameReplacesAnExistingFile) {
    write(in("from.txt"), "from");
    write(in("to.txt"), "to");
    ASSERT_TRUE(disk().renameFile(in("from.txt"), in("to.txt")));
    EXPECT_EQ(read(in("to.txt")), "from");
    EXPECT_FALSE(disk().isFile(in("from.txt")));
}

// The backup cannot be made: the new text still replaces the existing target.
TEST_F(WindowsFiles, TargetIsReplacedWhenItsBackupNameIsAFolder) {
    folder("Main.bak");
    write(in("Main.pas"), "old");
    const SaveResult r = saveFile(disk(), in("Main.pas"), "new");
    ASSERT_TRUE(r) << r.reason;
    EXPECT_TRUE(r.backupPath.empty());
    EXPECT_EQ(read(in("Main.pas")), "new");
    EXPECT_TRUE(disk().isDirectory(in("Main.bak")));
}

TEST_F(WindowsFiles, NamesWithBlanks) {
    const std::string projects = folder("My Projects");
    const std::string target = projects + "\\Unit One.pas";
    write(target, "unit One;");
    const SaveResult r = saveFile(disk(), target, "unit One; { saved }");
    ASSERT_TRUE(r) << r.reason;
    EXPECT_EQ(r.backupPath, projects + "\\Unit One.bak");
    EXPECT_EQ(read(r.backupPath), "unit One;");
    EXPECT_EQ(disk().fileSize(target), 19);
    EXPECT_EQ(entriesOf(projects), (std::vector<std::string>{"unit one.bak", "unit one.pas"}));
}

// Beyond MAX_PATH (260 characters) the plain Windows calls give up.
TEST_F(WindowsFiles, PathsLongerThanMaxPath) {
    std::string deep = dir_.path();
    for (int i = 0; deep.size() < 300; ++i) {
        deep += "\\a folder with a rather long name " + std::to_string(i);
        ASSERT_TRUE(disk().createDirectory(deep)) << deep.size();
    }
    ASSERT_TRUE(disk().isDirectory(deep));
    const std::string target = deep + "\\Unit1.pas";
    ASSERT_GT(target.size(), 300u);
    write(target, "old");
    EXPECT_TRUE(disk().isFile(target));
    EXPECT_EQ(disk().fileSize(target), 3);

    const SaveResult r = saveFile(disk(), target, "new");
    ASSERT_TRUE(r) << r.reason;
    EXPECT_EQ(read(target), "new");
    EXPECT_EQ(read(deep + "\\Unit1.bak"), "old");
    EXPECT_EQ(entriesOf(deep), (std::vector<std::string>{"unit1.bak", "unit1.pas"}));

    // "/" and ".." are resolved before the long form, which takes them literally.
    const std::string roundabout = deep + "/../" + deep.substr(deep.rfind('\\') + 1) + "/Unit1.pas";
    EXPECT_EQ(read(roundabout), "new");
    ASSERT_TRUE(disk().removeFile(deep + "\\Unit1.bak"));
    EXPECT_FALSE(disk().isFile(deep + "\\Unit1.bak"));

    // std::filesystem stops at MAX_PATH too, so the temporary folder could
    // not remove what lies this deep.
    EXPECT_TRUE(removeTree(L"\\\\?\\" + std::filesystem::path(dir_.path()).wstring() +
                           L"\\a folder with a rather long name 0"));
    EXPECT_TRUE(entriesOf(dir_.path()).empty());
}

struct BreakCase {
    const char* name;
    std::string source;
};

// Saved bytes are the result's bytes: no text-mode translation, the source's
// own line break, and CR LF where the source has none.
TEST_F(WindowsFiles, SavedBytesKeepTheSourcesLineBreaks) {
    const BreakCase cases[] = {
        {"no line break gets CR LF", "const A = 1;"},
        {"LF stays LF", "const A = 1;\nvar B: Integer;\n"},
        {"CR LF stays CR LF", "const A = 1;\r\nvar B: Integer;\r\n"},
    };
    for (const BreakCase& c : cases) {
        PassOptions options;
        options.crossReference = CrossReference::On;
        test::ScriptedHost host;
        Progress progress;
        ResultEditor editor;
        SourcePass pass(options, host, progress);
        pass.runText("Unit1.pas", c.source, editor);
        ASSERT_GT(editor.count(), 2) << c.name << ": the cross-reference adds lines";
        const std::string text = savedText(editor, saveOptionsFor(pass.lineBreaks()));

        const std::string target = in("Unit1.pas");
        write(target, c.source);
        ASSERT_TRUE(saveFile(disk(), target, text)) << c.name;
        const std::string bytes = read(target);
        EXPECT_EQ(bytes, text) << c.name;
        const bool crlfSource =
            c.source.find('\n') == std::string::npos || c.source.find("\r\n") != std::string::npos;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_EQ(i > 0 && bytes[i - 1] == '\r', crlfSource) << c.name << " at " << i;
            }
            if (bytes[i] == '\r') {
                ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << c.name << " at " << i;
            }
        }
        EXPECT_EQ(bytes.back() == '\n', c.source.back() == '\n') << c.name << ": final break";
    }
}

} // namespace
} // namespace qw

#endif
