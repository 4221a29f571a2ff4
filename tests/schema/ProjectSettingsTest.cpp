#include <gtest/gtest.h>

#include "platform/FolderPath.h"
#include "settings/ProjectSettings.h"
#include "settings/ProjectSettingsSearch.h"
#include "support/MemoryFileSystem.h"

namespace qw::test {
namespace {

// What a project settings file gives, in one line: "schema=... style=N xref=N
// coder=..." for the values it sets, or the error.
std::string summary(const std::string& file, const std::string& text) {
    const ProjectSettingsResult r = parseProjectSettings(file, text);
    if (!r.settings)
        return "error " + r.error;
    const ProjectSettings& s = *r.settings;
    std::string out;
    auto add = [&](const std::string& name, const std::string& value, int line) {
        out += (out.empty() ? "" : " ") + name + "=" + value + "@" + std::to_string(line);
    };
    if (s.schema)
        add("schema", s.schema->value, s.schema->line);
    if (s.style)
        add("style", std::to_string(static_cast<int>(s.style->value)), s.style->line);
    if (s.crossReference)
        add("xref", s.crossReference->value == CrossReference::On ? "on" : "off",
            s.crossReference->line);
    if (s.coderName)
        add("coder", s.coderName->value, s.coderName->line);
    return out;
}

TEST(ProjectSettings, ReadsNameValueLinesAndNamesTheLineOfAnError) {
    struct Row {
        const char* file;
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {"/p/.quillwright", "", ""},
        {"/p/.quillwright", "# team settings\n\n; old style\n  style = paren\n", "style=3@4"},
        {"/p/.quillwright", "style=line\r\nxref = on\r\n", "style=1@1 xref=on@2"},
        {"/p/.quillwright", "\xEF\xBB\xBFStyle = 0\rXREF = off\r", "style=0@1 xref=off@2"},
        {"/p/.quillwright", "cross-reference = yes\ncoder = The Team\n",
         "xref=on@1 coder=The Team@2"},
        {"/p/.quillwright", "schema = tools/Team.cs", "schema=/p/tools/Team.cs@1"},
        {"/p/.quillwright", "schema = /opt/Team.cs", "schema=/opt/Team.cs@1"},
        {"C:\\p\\.quillwright", "schema = tools\\Team.cs", "schema=C:\\p\\tools\\Team.cs@1"},
        {"C:\\p\\.quillwright", "schema = tools/Team.cs", "schema=C:\\p\\tools\\Team.cs@1"},
        {"C:\\p\\.quillwright", "schema = D:\\Team.cs", "schema=D:\\Team.cs@1"},
        {"/p/.quillwright", "\nstyle = wide\n",
         "error /p/.quillwright:2: 'wide' is not a value for style (none, line, brace, paren or 0 "
         "to 3)"},
        {"/p/.quillwright", "xref = maybe",
         "error /p/.quillwright:1: 'maybe' is not a value for xref (on or off)"},
        {"/p/.quillwright", "style = 1\nhotkey = 49218",
         "error /p/.quillwright:2: 'hotkey' is no setting of a project file; the names are "
         "schema, style, xref, coder"},
        {"/p/.quillwright", "[*.pas]",
         "error /p/.quillwright:1: expected 'name = value', found "
         "'[*.pas]'"},
        {"/p/.quillwright", "schema =", "error /p/.quillwright:1: schema has no value"},
        {"/p/.quillwright", "style = 1\nxref = on\nstyle = 2",
         "error /p/.quillwright:3: style is given twice (first on line 1)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(summary(row.file, row.text), row.expected) << row.text;
}

TEST(FolderPath, WalksUpToTheRootOfEitherPlatform) {
    struct Row {
        const char* folder;
        const char* parent;
    };
    const Row rows[] = {
        {"/home/ann/src", "/home/ann"},
        {"/home/ann/src/", "/home/ann"},
        {"/home", "/"},
        {"/", ""},
        {"C:\\Users\\Ann", "C:\\Users"},
        {"C:\\Users", "C:\\"},
        {"C:\\", ""},
        {"c:/work/src", "c:/work"},
        {"\\\\server\\share\\src", "\\\\server\\share\\"},
        {"\\\\server\\share\\", ""},
        {"src", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(parentFolder(row.folder), row.parent) << row.folder;
    EXPECT_TRUE(sameFolder("C:\\Users\\Ann\\", "c:/users/ann"));
    EXPECT_FALSE(sameFolder("/home/Ann", "/home/ann"));
}

TEST(ProjectSettingsSearch, TakesTheNearestFileUpToTheHomeFolder) {
    MemoryFileSystem fs;
    fs.addFile("/home/ann/repo/.quillwright", "");
    fs.addFile("/home/ann/repo/lib/.quillwright", "");
    fs.addFile("/home/.quillwright", ""); // above the home folder: never looked at
    fs.addFile("/.quillwright", "");
    fs.addFile("C:\\Users\\Ann\\repo\\.quillwright", "");
    struct Row {
        const char* folder;
        const char* home;
        const char* found;
    };
    const Row rows[] = {
        {"/home/ann/repo/src/deep", "/home/ann", "/home/ann/repo/.quillwright"},
        {"/home/ann/repo/lib", "/home/ann", "/home/ann/repo/lib/.quillwright"},
        {"/home/ann/repo", "/home/ann", "/home/ann/repo/.quillwright"},
        {"/home/ann/other", "/home/ann", ""},
        {"/home/ann/other", "/home/ann/", ""},
        {"/srv/build", "/home/ann", "/.quillwright"}, // outside the home folder: to the root
        {"C:\\Users\\Ann\\repo\\src", "C:\\Users\\Ann", "C:\\Users\\Ann\\repo\\.quillwright"},
        {"C:\\Users\\Ann\\other", "c:\\users\\ann", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(findProjectSettingsFile(fs, row.folder, row.home).value_or(""), row.found)
            << row.folder;
}

} // namespace
} // namespace qw::test
