// "&Comment!" and "Strip" on the file that has the focus in the IDE.

#include <QDialog>
#include <QPushButton>

#include <cctype>

#include "PluginFixture.h"

namespace qw::plugin::test {
namespace {

using Calls = std::vector<std::string>;

constexpr const char* kNotAPascalSource = "A Pascal source must have the focus!";
constexpr const char* kNothingGenerated =
    "No (new) comments were\r\ngenerated for this file.\r\n\r\nDo you want to see it though?";
constexpr const char* kNothingRemoved =
    "No comments were\r\nremoved in this file.\r\n\r\nDo you want to see it though?";
constexpr const char* kAbortedSeeResults =
    "Process was aborted. Do you\r\nwant to see the results though?";

constexpr const char* kCommentedUnit = "unit Unit2;\r\n"
                                       "{ the unit's comment }\r\n"
                                       "interface\r\n"
                                       "implementation\r\n"
                                       "// a line comment\r\n"
                                       "end.\r\n";
constexpr const char* kCommentedProject = "program Main;\r\n"
                                          "{ the project }\r\n"
                                          "uses\r\n"
                                          "  Unit1 in 'Unit1.pas';\r\n"
                                          "begin // go\r\n"
                                          "end.\r\n";

std::string inQuotes(const std::string& text) {
    return '"' + text + '"';
}

Calls savedAndReloaded(const std::string& path) {
    return {"ToolServices.GetCurrentFile()", "ToolServices.SaveFile(" + inQuotes(path) + ")",
            "ToolServices.ReloadFile(" + inQuotes(path) + ")"};
}

std::vector<std::string> shownClasses(const HostDialogs& dialogs) {
    std::vector<std::string> classes;
    for (const HostDialogs::Shown& shown : dialogs.shown)
        classes.push_back(shown.className);
    return classes;
}

std::vector<std::string> askedTexts(const HostDialogs& dialogs) {
    std::vector<std::string> texts;
    for (const HostDialogs::Asked& asked : dialogs.asked)
        texts.push_back(asked.text);
    return texts;
}

// --- The extension test ---

// A test name made of the file name's letters and digits.
std::string nameOf(const ::testing::TestParamInfo<const char*>& c) {
    std::string name;
    for (const char* at = c.param; *at; ++at)
        name += std::isalnum(static_cast<unsigned char>(*at)) ? *at : '_';
    return name.empty() ? std::string("NoFile") : name;
}

class AcceptedSourceTest : public PluginTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(AcceptedSourceTest, IsSavedCommentedShownAndReloaded) {
    const std::string path = sourcePath(GetParam());
    writeSource(GetParam(), kUnitWithRoutine);
    host.currentFile = path;
    ASSERT_TRUE(loadAndInit());
    host.clearCalls();

    ASSERT_TRUE(host.click("QWDoItItem"));

    EXPECT_EQ(host.calls(), savedAndReloaded(path));
    EXPECT_TRUE(dialogs.asked.empty());
    ASSERT_EQ(shownClasses(dialogs), (std::vector<std::string>{"qw::desktop::TFrmResult"}));
    EXPECT_EQ(dialogs.shown[0].title, path);
    EXPECT_EQ(readSource(GetParam()), kUnitWithRoutine); // the user did not save the result
}

INSTANTIATE_TEST_SUITE_P(Plugin, AcceptedSourceTest,
                         ::testing::Values("UNIT1.PAS", "Unit1.pas", "Unit1.Inc", "unit.1.pas"),
                         nameOf);

class RefusedFileTest : public PluginTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedFileTest, GetsTheMessageWithCancelOnlyAndNothingElse) {
    writeSource("Unit1.pas", kUnitWithRoutine);
    host.currentFile = GetParam();
    ASSERT_TRUE(loadAndInit());

    for (const char* item : {"QWDoItItem", "QWStrip"}) {
        SCOPED_TRACE(item);
        host.clearCalls();
        dialogs.asked.clear();

        ASSERT_TRUE(host.click(item));

        EXPECT_EQ(host.calls(), (Calls{"ToolServices.GetCurrentFile()"}));
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].kind, DialogKind::Error);
        EXPECT_EQ(dialogs.asked[0].text, kNotAPascalSource);
        EXPECT_EQ(dialogs.asked[0].buttons, (std::vector<Button>{Button::Cancel}));
        EXPECT_TRUE(dialogs.shown.empty());
    }
    EXPECT_EQ(readSource("Unit1.pas"), kUnitWithRoutine);
}

INSTANTIATE_TEST_SUITE_P(Plugin, RefusedFileTest,
                         ::testing::Values("C:\\Projects\\Form1.dfm", "/work/Project1.res",
                                           "/work/Unit1", "/work/dir.pas/Unit1",
                                           "C:\\dir.pas\\Unit1", "/work/Unit1.pas.bak",
                                           "/work/Unit1.pa", "/work/Unit1.", ""),
                         nameOf);

// --- Saving first ---

TEST_F(PluginTest, WhenTheIdeCannotSaveTheFileNothingHappens) {
    writeSource("Unit1.pas", kUnitWithRoutine);
    host.currentFile = sourcePath("Unit1.pas");
    host.saveSucceeds = false;
    ASSERT_TRUE(loadAndInit());

    for (const char* item : {"QWDoItItem", "QWStrip"}) {
        SCOPED_TRACE(item);
        host.clearCalls();
        ASSERT_TRUE(host.click(item));
        EXPECT_EQ(host.calls(),
                  (Calls{"ToolServices.GetCurrentFile()",
                         "ToolServices.SaveFile(" + inQuotes(host.currentFile) + ")"}));
    }
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(readSource("Unit1.pas"), kUnitWithRoutine);
    EXPECT_FALSE(sourceExists("Unit1.bak"));
}

// --- Reloading ---

struct ReloadCase {
    const char* name;
    const char* item;
    const char* source; // null: no such file on disk
    std::vector<Button> answers;
    std::vector<std::string> asked; // the start of each text asked
    bool shown;
    bool reloaded;
};

void PrintTo(const ReloadCase& c, std::ostream* out) {
    *out << c.name;
}

class ReloadTest : public PluginTest, public ::testing::WithParamInterface<ReloadCase> {};

TEST_P(ReloadTest, OnlyWhenTheDriverShowedTheResultOfAPassThatRanThrough) {
    const ReloadCase& c = GetParam();
    if (c.source)
        writeSource("Unit1.pas", c.source);
    host.currentFile = sourcePath("Unit1.pas");
    ASSERT_TRUE(loadAndInit());
    dialogs.answers.assign(c.answers.begin(), c.answers.end());
    host.clearCalls();

    ASSERT_TRUE(host.click(c.item));

    const std::vector<std::string> asked = askedTexts(dialogs);
    ASSERT_EQ(asked.size(), c.asked.size());
    for (std::size_t i = 0; i < asked.size(); ++i)
        EXPECT_EQ(asked[i].substr(0, std::string(c.asked[i]).size()), c.asked[i]);
    EXPECT_EQ(dialogs.shown.size(), c.shown ? 1u : 0u);
    EXPECT_EQ(host.callsTo("ReloadFile").size(), c.reloaded ? 1u : 0u);
    EXPECT_EQ(host.callsTo("SaveFile").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Plugin, ReloadTest,
    ::testing::Values(
        ReloadCase{"CommentWithNothingNewDeclined",
                   "QWDoItItem",
                   "",
                   {Button::No},
                   {kNothingGenerated},
                   false,
                   false},
        ReloadCase{"CommentWithNothingNewLookedAt",
                   "QWDoItItem",
                   "",
                   {Button::Yes},
                   {kNothingGenerated},
                   true,
                   true},
        ReloadCase{"CommentWithNewComments", "QWDoItItem", kUnitWithRoutine, {}, {}, true, true},
        ReloadCase{"CommentAbortedAndLookedAt",
                   "QWDoItItem",
                   nullptr,
                   {Button::Abort, Button::Yes},
                   {"Could not process file ", kAbortedSeeResults},
                   true,
                   false},
        ReloadCase{"StripWithNothingRemovedDeclined",
                   "QWStrip",
                   kUnitWithRoutine,
                   {Button::No},
                   {kNothingRemoved},
                   false,
                   false},
        ReloadCase{"StripWithCommentsRemoved", "QWStrip", kCommentedUnit, {}, {}, true, true},
        ReloadCase{"StripAbortedAndDeclined",
                   "QWStrip",
                   nullptr,
                   {Button::Abort, Button::No},
                   {"Could not process file ", kAbortedSeeResults},
                   false,
                   false}),
    [](const ::testing::TestParamInfo<ReloadCase>& c) { return std::string(c.param.name); });

// --- Project files ---

TEST_F(PluginTest, StripOnAProjectFileCleansOnlyThatFile) {
    writeSource("Main.dpr", kCommentedProject);
    writeSource("Unit1.pas", kCommentedUnit);
    enterSourceFolder();
    host.currentFile = sourcePath("Main.dpr");
    ASSERT_TRUE(loadAndInit());
    dialogs.modalActions.push_back([](QDialog& result) {
        if (auto* save = childOf<QPushButton>(result, "BitBtn1"))
            save->click();
    });
    host.clearCalls();

    ASSERT_TRUE(host.click("QWStrip"));

    EXPECT_EQ(host.calls(), savedAndReloaded(host.currentFile));
    EXPECT_EQ(shownClasses(dialogs), (std::vector<std::string>{"qw::desktop::TFrmResult"}));
    EXPECT_EQ(readSource("Main.dpr"), "program Main;\r\n"
                                      "uses\r\n"
                                      "  Unit1 in 'Unit1.pas';\r\n"
                                      "begin\r\n"
                                      "end.\r\n");
    EXPECT_EQ(readSource("Main.bak"), kCommentedProject);
    EXPECT_EQ(readSource("Unit1.pas"), kCommentedUnit); // no walk
    EXPECT_FALSE(sourceExists("Unit1.bak"));
}

TEST_F(PluginTest, CommentOnAProjectFileWalksItsUnitsAndReloadsOnlyTheProject) {
    writeSource("Main.dpr", "program Main;\r\n"
                            "uses\r\n"
                            "  Unit1 in 'Unit1.pas';\r\n"
                            "begin\r\n"
                            "end.\r\n");
    writeSource("Unit1.pas", kUnitWithRoutine);
    // The IDE's current directory is elsewhere: the units lie beside the project.
    std::filesystem::current_path(schemaFolder);
    host.currentFile = sourcePath("Main.dpr");
    ASSERT_TRUE(loadAndInit());
    host.clearCalls();

    ASSERT_TRUE(host.click("QWDoItItem"));

    EXPECT_EQ(host.calls(), savedAndReloaded(host.currentFile));
    EXPECT_EQ(shownClasses(dialogs), (std::vector<std::string>{"qw::desktop::TFProjRep"}));
    EXPECT_NE(readSource("Unit1.pas").find("{ Foo }"), std::string::npos)
        << readSource("Unit1.pas");
    EXPECT_EQ(readSource("Unit1.bak"), kUnitWithRoutine);
}

// --- Hot key and overlapping commands ---

TEST_F(PluginTest, HotKeyRunsComment) {
    writeSource("Unit1.pas", kUnitWithRoutine);
    host.currentFile = sourcePath("Unit1.pas");
    ASSERT_TRUE(loadAndInit());
    host.clearCalls();

    ASSERT_TRUE(host.pressKey(kCtrlShiftB));

    EXPECT_EQ(host.calls(), savedAndReloaded(host.currentFile));
    EXPECT_EQ(shownClasses(dialogs), (std::vector<std::string>{"qw::desktop::TFrmResult"}));
}

TEST_F(PluginTest, CommandsThatArriveWhileOneRunsDoNothing) {
    writeSource("Unit1.pas", kUnitWithRoutine);
    host.currentFile = sourcePath("Unit1.pas");
    ASSERT_TRUE(loadAndInit());
    std::size_t callsDuring = 1000;
    dialogs.modalActions.push_back([&](QDialog&) {
        const std::size_t before = host.calls().size();
        for (const char* item : {"QWDoItItem", "QWStrip", "QWSetupItem"})
            EXPECT_TRUE(host.click(item));
        EXPECT_TRUE(host.pressKey(kCtrlShiftB));
        callsDuring = host.calls().size() - before;
    });
    host.clearCalls();

    ASSERT_TRUE(host.click("QWDoItItem"));

    EXPECT_EQ(callsDuring, 0u);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(host.calls(), savedAndReloaded(host.currentFile));

    // Once it has ended, the next one runs.
    host.clearCalls();
    ASSERT_TRUE(host.click("QWDoItItem"));
    EXPECT_EQ(host.calls(), savedAndReloaded(host.currentFile));
}

} // namespace
} // namespace qw::plugin::test
