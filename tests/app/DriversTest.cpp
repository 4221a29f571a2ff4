#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ScriptedUi.h"
#include "drivers/DriverMessages.h"
#include "drivers/Drivers.h"
#include "drivers/FilePaths.h"
#include "engine/Messages.h"
#include "schema/SchemaMarkers.h"
#include "support/MemoryFileSystem.h"
#include "text/CodeEquivalence.h"

namespace qw {
namespace {

using test::FsOp;
using test::MemoryFileSystem;
using test::ScriptedUi;
using Lines = std::vector<std::string>;
namespace texts = driver_messages;

const std::string kRoutine = "unit U;\r\ninterface\r\nimplementation\r\nprocedure P;\r\nbegin\r\n"
                             "end;\r\nend.\r\n";
const std::string kRoutineCommented =
    "unit U;\r\ninterface\r\nimplementation\r\nprocedure P;\r\nbegin { P }\r\nend; { P }\r\n"
    "end.\r\n";
// Nothing to comment: no routine, no block.
const std::string kBare = "unit Bare;\r\ninterface\r\nimplementation\r\nend.\r\n";

std::string ask(DialogKind kind, std::string_view text, Button answer) {
    return std::string("ask ") + dialogTitle(kind) + " " + std::string(text) + " -> " +
           buttonName(answer);
}

struct DriverFixture : ::testing::Test {
    MemoryFileSystem fs;
    ScriptedUi ui{fs};
    Drivers drivers{ui, options()};

    PassOptions options() {
        PassOptions o;
        o.fileSystem = &fs;
        return o;
    }
    bool hasBackupOrTemporary() const {
        return std::any_of(fs.files().begin(), fs.files().end(), [](const auto& entry) {
            return entry.first.find(".bak") != std::string::npos ||
                   entry.first.find(".qwtmp") != std::string::npos;
        });
    }
};

// --- one file ---

TEST_F(DriverFixture, ShowsAResultWithNewCommentsWithoutAsking) {
    fs.addFile("/p/U.pas", kRoutine);
    std::int32_t count = -1;
    EXPECT_TRUE(drivers.commentFile("/p/U.pas", Interaction::ShowResult, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(ui.calls, (Lines{"progress U.pas " + std::to_string(kRoutine.size()), "close",
                               "show /p/U.pas 2 enabled"}));
    EXPECT_EQ(ui.shownTexts, (Lines{kRoutineCommented}));
    EXPECT_EQ(fs.bytes("/p/U.pas"), kRoutine); // showing writes nothing
}

TEST_F(DriverFixture, NothingGeneratedAsksWhetherToShowIt) {
    for (Button answer : {Button::Yes, Button::No}) {
        SCOPED_TRACE(buttonName(answer));
        fs.addFile("/p/Bare.pas", kBare);
        ScriptedUi local(fs);
        local.answer(texts::kNothingGenerated, answer);
        Drivers d(local, options());
        std::int32_t count = -1;
        const bool shown = d.commentFile("/p/Bare.pas", Interaction::ShowResult, count);
        EXPECT_EQ(count, 0);
        EXPECT_EQ(shown, answer == Button::Yes);
        std::vector<std::string> expected{
            "progress Bare.pas " + std::to_string(kBare.size()), "close",
            ask(DialogKind::Confirmation, texts::kNothingGenerated, answer)};
        if (answer == Button::Yes)
            expected.push_back("show /p/Bare.pas 0 enabled");
        EXPECT_EQ(local.calls, expected);
        EXPECT_EQ(local.messages.back().buttons, (std::vector<Button>{Button::Yes, Button::No}));
    }
}

TEST_F(DriverFixture, AbortedRunAsksAndShowsTheResultWithSaveDisabled) {
    for (Button answer : {Button::Yes, Button::No}) {
        SCOPED_TRACE(buttonName(answer));
        fs.addFile("/p/U.pas", kRoutine);
        ScriptedUi local(fs);
        local.abortAt("U.pas", 5);
        local.answer(texts::kAbortedSeeResults, answer);
        Drivers d(local, options());
        std::int32_t count = -1;
        EXPECT_FALSE(d.commentFile("/p/U.pas", Interaction::ShowResult, count));
        EXPECT_EQ(count, 1); // the begin comment of line 5, then the pass stopped
        std::vector<std::string> expected{
            "progress U.pas " + std::to_string(kRoutine.size()), "close",
            ask(DialogKind::Confirmation, texts::kAbortedSeeResults, answer)};
        if (answer == Button::Yes)
            expected.push_back("show /p/U.pas 1 disabled");
        EXPECT_EQ(local.calls, expected);
        EXPECT_EQ(local.linesSeen, 5);
        EXPECT_EQ(fs.bytes("/p/U.pas"), kRoutine);
    }
}

TEST_F(DriverFixture, CleanKeepsTheProgressTitleAndAsksItsOwnQuestion) {
    fs.addFile("/p/Bare.pas", kBare);
    // One comment line (dropped and counted) and two comments behind code.
    const std::string commented =
        "unit U;\r\ninterface\r\nimplementation\r\n{ note }\r\nprocedure P;\r\nbegin { P }\r\n"
        "end; { P }\r\nend.\r\n";
    fs.addFile("/p/C.pas", commented);
    ui.answer(texts::kNothingRemoved, Button::No);
    EXPECT_FALSE(drivers.cleanFile("/p/Bare.pas"));
    EXPECT_TRUE(drivers.cleanFile("/p/C.pas"));
    EXPECT_EQ(ui.calls, (Lines{"progress Progress " + std::to_string(kBare.size()), "close",
                               ask(DialogKind::Confirmation, texts::kNothingRemoved, Button::No),
                               "progress Progress " + std::to_string(commented.size()), "close",
                               "show /p/C.pas 1 enabled"}));
    EXPECT_EQ(ui.shownTexts, (Lines{kRoutine}));
}

TEST_F(DriverFixture, EmptyAndUnreadableFilesCountOneByte) {
    fs.addFile("/p/Empty.pas", "");
    std::int32_t count = -1;
    ui.answer(texts::kNothingGenerated, Button::No);
    EXPECT_FALSE(drivers.commentFile("/p/Empty.pas", Interaction::ShowResult, count));
    EXPECT_EQ(ui.linesSeen, 0);

    ui.answer(texts::kAbortedSeeResults, Button::No);
    EXPECT_FALSE(drivers.commentFile("/p/Gone.pas", Interaction::ShowResult, count));
    EXPECT_EQ(
        ui.calls,
        (Lines{"progress Empty.pas 1", "close",
               ask(DialogKind::Confirmation, texts::kNothingGenerated, Button::No),
               "progress Gone.pas 1",
               ask(DialogKind::Warning,
                   messages::format(messages::kCannotProcessFile, "/p/Gone.pas"), Button::Abort),
               "close", ask(DialogKind::Confirmation, texts::kAbortedSeeResults, Button::No)}));
}

TEST_F(DriverFixture, SilentRunSavesOnlyAResultWithNewComments) {
    fs.addFile("/p/U.pas", kRoutine);
    fs.addFile("/p/Bare.pas", kBare);
    std::int32_t count = -1;
    EXPECT_FALSE(drivers.commentFile("/p/U.pas", Interaction::SaveSilently, count));
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(drivers.commentFile("/p/Bare.pas", Interaction::SaveSilently, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(ui.calls,
              (Lines{"progress U.pas " + std::to_string(kRoutine.size()), "close", "save /p/U.pas",
                     "progress Bare.pas " + std::to_string(kBare.size()), "close"}));
    EXPECT_EQ(fs.bytes("/p/U.pas"), kRoutineCommented);
    EXPECT_EQ(fs.bytes("/p/U.bak"), kRoutine);
    EXPECT_FALSE(fs.has("/p/Bare.bak"));
}

TEST_F(DriverFixture, ACommandWhileOneRunsIsRefused) {
    fs.addFile("/p/U.pas", kRoutine);
    fs.addFile("/p/Main.dpr", "program Main;\r\nbegin\r\nend.\r\n");
    bool inner = true;
    std::int32_t innerCount = -1;
    WalkEnd innerWalk = WalkEnd::Finished;
    ui.duringPass = [&] {
        ui.duringPass = nullptr; // once
        EXPECT_TRUE(drivers.running());
        inner = drivers.commentFile("/p/U.pas", Interaction::ShowResult, innerCount) ||
                drivers.cleanFile("/p/U.pas");
        innerWalk = drivers.commentProject("/p/Main.dpr", "/p");
    };
    std::int32_t count = 0;
    EXPECT_TRUE(drivers.commentFile("/p/U.pas", Interaction::ShowResult, count));
    EXPECT_FALSE(inner);
    EXPECT_EQ(innerCount, 0);
    EXPECT_EQ(innerWalk, WalkEnd::Refused);
    // Only the outer run reached the shell.
    EXPECT_EQ(ui.calls, (Lines{"progress U.pas " + std::to_string(kRoutine.size()), "close",
                               "show /p/U.pas 2 enabled"}));
    EXPECT_FALSE(drivers.running());
    // Usable again afterwards.
    ui.answer(texts::kNothingRemoved, Button::Yes);
    EXPECT_TRUE(drivers.cleanFile("/p/U.pas"));
}

TEST_F(DriverFixture, EachRunUsesTheOptionsAsTheyWereAtItsStart) {
    fs.addFile("/p/U.pas", kRoutine);
    PassOptions none = options();
    none.style = EndCommentStyle::None;
    drivers.setPassOptions(none);
    std::int32_t count = -1;
    ui.answer(texts::kNothingGenerated, Button::Yes);
    EXPECT_TRUE(drivers.commentFile("/p/U.pas", Interaction::ShowResult, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(ui.shownTexts, (Lines{kRoutine}));
}

// --- project walk ---

const std::string kMain = "program Main;\r\nuses\r\n  Forms,\r\n  Unit1 in 'Unit1.pas',\r\n"
                          "  Unit2 in 'Unit2.pas';\r\nbegin\r\nend.\r\n";
// Unit1 names Unit3 (shared with Unit2), a unit that is nowhere, and Unit2 twice.
const std::string kUnit1 = "unit Unit1;\r\ninterface\r\nuses Unit3 , Missing , Unit2 , Unit2 ;\r\n"
                           "implementation\r\nprocedure A;\r\nbegin\r\nend;\r\nend.\r\n";
const std::string kUnit2 = "unit Unit2;\r\ninterface\r\nuses Unit3 ;\r\nimplementation\r\n"
                           "procedure B;\r\nbegin\r\nend;\r\nend.\r\n";
const std::string kUnit3 = "unit Unit3;\r\ninterface\r\nimplementation\r\nend.\r\n";

struct WalkFixture : DriverFixture {
    void SetUp() override {
        fs.addFile("/p/Main.dpr", kMain);
        fs.addFile("/p/Unit1.pas", kUnit1);
        fs.addFile("/p/Unit2.pas", kUnit2);
        fs.addFile("/p/Unit3.pas", kUnit3);
        fs.addDirectory("/p/forms.pas"); // a folder that looks like a unit
    }
    std::vector<std::string> progressTitles() const {
        std::vector<std::string> out;
        for (const std::string& call : ui.calls)
            if (call.rfind("progress ", 0) == 0)
                out.push_back(call.substr(9, call.rfind(' ') - 9));
        return out;
    }
};

TEST_F(WalkFixture, VisitsBreadthFirstEachUnitOnceAndSkipsWhatIsNoFile) {
    EXPECT_EQ(drivers.commentProject("/p/Main.dpr", "/p"), WalkEnd::Finished);
    EXPECT_EQ(progressTitles(), (Lines{"Main.dpr", "Unit1.pas", "Unit2.pas", "Unit3.pas"}));
    EXPECT_EQ(ui.reportLines,
              (Lines{"/p/Main.dpr\t0", "unit1.pas\t2", "unit2.pas\t2", "unit3.pas\t0"}));
    // Saved under their names on disk, with backups; files without new
    // comments are neither written nor backed up.
    EXPECT_EQ(fs.bytes("/p/Unit1.bak"), kUnit1);
    EXPECT_EQ(fs.bytes("/p/Unit2.bak"), kUnit2);
    EXPECT_NE(fs.bytes("/p/Unit1.pas"), kUnit1);
    EXPECT_FALSE(fs.has("/p/unit1.pas"));
    EXPECT_FALSE(fs.has("/p/Main.bak"));
    EXPECT_FALSE(fs.has("/p/Unit3.bak"));
    EXPECT_EQ(fs.bytes("/p/Unit3.pas"), kUnit3);
    EXPECT_EQ(ui.calls.back(), "report 4");
    EXPECT_TRUE(ui.messages.empty()); // skipped names give no message
    EXPECT_TRUE(drivers.projectLists().queueEmpty());
    // Every queued name once, whatever its case; the unit named twice once.
    const auto& done = drivers.projectLists().done();
    EXPECT_EQ(std::count(done.begin(), done.end(), "unit2.pas"), 1);
    EXPECT_EQ(std::count(done.begin(), done.end(), "unit3.pas"), 1);
    EXPECT_EQ(std::count(done.begin(), done.end(), "missing.pas"), 1);
}

TEST_F(WalkFixture, FindsUnitsWhateverTheirLetterCaseAndSavesThemUnderTheirOwnName) {
    fs.addFile("/q/MAIN.DPR",
               "program Main;\r\nuses\r\n  Unit1 in 'Unit1.pas';\r\nbegin\r\nend.\r\n");
    fs.addFile("/q/Unit1.pas", kRoutine);
    EXPECT_EQ(drivers.commentProject("/q/MAIN.DPR", "/q"), WalkEnd::Finished);
    EXPECT_EQ(ui.reportLines, (Lines{"/q/MAIN.DPR\t0", "unit1.pas\t2"}));
    EXPECT_NE(std::find(ui.calls.begin(), ui.calls.end(), "save /q/Unit1.pas"), ui.calls.end());
    EXPECT_EQ(fs.bytes("/q/Unit1.pas"), kRoutineCommented);
    EXPECT_EQ(fs.bytes("/q/Unit1.bak"), kRoutine);
    EXPECT_FALSE(fs.has("/q/unit1.pas"));
    EXPECT_FALSE(fs.has("/q/unit1.bak"));
}

TEST_F(WalkFixture, APascalFileGetsTheWarningAndNothingElse) {
    EXPECT_EQ(drivers.commentProject("/p/Unit1.pas", "/p"), WalkEnd::NotAProjectFile);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, DialogKind::Warning);
    EXPECT_EQ(ui.messages[0].text,
              "This file is not a project file!\rPlease select a file with extension \".dpr\".");
    EXPECT_EQ(ui.messages[0].buttons, (std::vector<Button>{Button::Abort}));
    EXPECT_EQ(ui.calls.size(), 1u);
    EXPECT_FALSE(ui.reportShown);
    EXPECT_EQ(fs.bytes("/p/Unit1.pas"), kUnit1);
}

TEST_F(WalkFixture, AbortDuringTheProjectFileShowsAnEmptyReport) {
    ui.abortAt("Main.dpr", 2);
    EXPECT_EQ(drivers.commentProject("/p/Main.dpr", "/p"), WalkEnd::Aborted);
    EXPECT_EQ(ui.calls,
              (Lines{"progress Main.dpr " + std::to_string(kMain.size()), "close",
                     ask(DialogKind::Confirmation, texts::kAbortedSeeResults, Button::Yes),
                     "show /p/Main.dpr 0 disabled", "report 0"}));
    ASSERT_FALSE(drivers.projectLists().queueEmpty());
    EXPECT_EQ(drivers.projectLists().front(), "/p/Main.dpr");
}

TEST_F(WalkFixture, AbortInAUnitEndsTheWalkAndListsOnlyWhatWasDone) {
    ui.abortAt("Unit2.pas", 3);
    ui.answer(texts::kAbortedSeeResults, Button::No);
    EXPECT_EQ(drivers.commentProject("/p/Main.dpr", "/p"), WalkEnd::Aborted);
    EXPECT_EQ(progressTitles(), (Lines{"Main.dpr", "Unit1.pas", "Unit2.pas"}));
    EXPECT_EQ(ui.reportLines, (Lines{"/p/Main.dpr\t0", "unit1.pas\t2"}));
    EXPECT_EQ(fs.bytes("/p/Unit2.pas"), kUnit2);
    EXPECT_FALSE(fs.has("/p/Unit2.bak"));
    EXPECT_EQ(drivers.projectLists().front(), "unit2.pas");
}

TEST_F(WalkFixture, AFailedSaveEndsTheWalkWithTheErrorAndNothingHalfWritten) {
    fs.fail({FsOp::Write, "Unit2", "disk full", -1, 0, MemoryFileSystem::WriteDamage::HalfWritten});
    EXPECT_EQ(drivers.commentProject("/p/Main.dpr", "/p"), WalkEnd::SaveFailed);
    EXPECT_EQ(progressTitles(), (Lines{"Main.dpr", "Unit1.pas", "Unit2.pas"}));
    EXPECT_EQ(ui.calls.back(), "error Cannot create file /p/Unit2.pas: disk full");
    EXPECT_FALSE(ui.reportShown);
    EXPECT_EQ(fs.bytes("/p/Unit2.pas"), kUnit2);
    EXPECT_FALSE(fs.has("/p/Unit2.bak"));
    EXPECT_EQ(fs.bytes("/p/Unit1.bak"), kUnit1); // the unit before it was saved
    for (const auto& [path, bytes] : fs.files())
        EXPECT_EQ(path.find(".qwtmp"), std::string::npos) << path;
}

TEST_F(WalkFixture, UnitsInAnotherFolderLeaveOnlyTheProjectFile) {
    EXPECT_EQ(drivers.commentProject("/p/Main.dpr", "/elsewhere"), WalkEnd::Finished);
    EXPECT_EQ(ui.reportLines, (Lines{"/p/Main.dpr\t0"}));
}

TEST_F(WalkFixture, WithoutAUnitFolderTheUnitsAreLookedUpBesideTheProjectFile) {
    // Whatever the current directory is: the shells' setup dialog moves it.
    EXPECT_EQ(drivers.commentProject("/p/Main.dpr"), WalkEnd::Finished);
    EXPECT_EQ(ui.reportLines,
              (Lines{"/p/Main.dpr\t0", "unit1.pas\t2", "unit2.pas\t2", "unit3.pas\t0"}));
}

TEST(FolderOf, KeepsARootsSeparatorAndDropsTheOneBeforeTheName) {
    const std::pair<const char*, const char*> rows[] = {
        {"/p/Main.dpr", "/p"},    {"/Main.dpr", "/"},   {"C:\\src\\Main.dpr", "C:\\src"},
        {"C:\\Main.dpr", "C:\\"}, {"C:Main.dpr", "C:"}, {"Main.dpr", ""},
        {"a/b\\Main.dpr", "a/b"},
    };
    for (const auto& [path, folder] : rows)
        EXPECT_EQ(folderOf(path), folder) << path;
}

TEST_F(WalkFixture, AProjectFileWithoutFolderIsLookedUpInTheUnitFolder) {
    EXPECT_EQ(drivers.commentProject("main.dpr", "/p"), WalkEnd::Finished);
    EXPECT_EQ(ui.reportLines.size(), 4u);
    EXPECT_EQ(ui.reportLines[0], "main.dpr\t0");
}

TEST_F(WalkFixture, AMissingProjectFileGivesAnEmptyReport) {
    EXPECT_EQ(drivers.commentProject("/p/None.dpr", "/p"), WalkEnd::Finished);
    EXPECT_EQ(ui.calls, (Lines{"report 0"}));
}

TEST_F(WalkFixture, EveryWalkStartsWithClearedLists) {
    ASSERT_EQ(drivers.commentProject("/p/Main.dpr", "/p"), WalkEnd::Finished);
    ui.calls.clear();
    // The second walk must process the units again, not find them done.
    ASSERT_EQ(drivers.commentProject("/p/Main.dpr", "/p"), WalkEnd::Finished);
    EXPECT_EQ(progressTitles(), (Lines{"Main.dpr", "Unit1.pas", "Unit2.pas", "Unit3.pas"}));
}

} // namespace
} // namespace qw

namespace qw {
namespace {

// A unit that changes on disk while the pass reads it is not saved over: the
// check before the save reads the file again. The walk warns and goes on.
TEST_F(WalkFixture, AUnitChangedOnDiskDuringThePassIsNotSaved) {
    struct Row {
        const char* name;
        std::function<void(MemoryFileSystem&)> change;
        std::string warning;
    };
    const Row rows[] = {
        {"code changed",
         [](MemoryFileSystem& f) {
             f.addFile("/p/Unit2.pas", "unit Unit2;\r\nimplementation\r\nend.\r\n");
         },
         "The result was not saved: the code differs at line 2"},
        {"no longer readable", [](MemoryFileSystem& f) { f.failAll(FsOp::Read, "Unit2", "gone"); },
         "The result was not saved: the file cannot be read again: gone"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        fs.clearFailures();
        ui.messages.clear();
        ui.duringPass = [&] {
            if (ui.calls.back().rfind("progress Unit2.pas", 0) == 0) {
                ui.duringPass = nullptr;
                row.change(fs);
            }
        };
        EXPECT_EQ(drivers.commentProject("/p/Main.dpr", "/p"), WalkEnd::Finished);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].id, MessageId::ResultNotSaved);
        EXPECT_EQ(ui.messages[0].text.rfind(row.warning, 0), 0u) << ui.messages[0].text;
        EXPECT_FALSE(fs.has("/p/Unit2.bak"));
        EXPECT_NE(fs.bytes("/p/Unit1.pas"), kUnit1); // the units around it are saved
        fs.clearFailures();
        EXPECT_EQ(fs.bytes("/p/Unit1.bak"), kUnit1);
    }
}

TEST_F(WalkFixture, ASchemaThatWouldWriteCodeGivesNoHeaderAndTheWalkGoesOn) {
    // A schema without comment delimiters would put code above every routine:
    // the header step leaves such a header out, the units keep their code.
    PassOptions o = options();
    o.schema = parseSchemaMarkers({"xWriteLn('%FuncName');"});
    drivers.setPassOptions(o);
    EXPECT_EQ(drivers.commentProject("/p/Main.dpr", "/p"), WalkEnd::Finished);
    EXPECT_EQ(progressTitles(), (Lines{"Main.dpr", "Unit1.pas", "Unit2.pas", "Unit3.pas"}));
    EXPECT_TRUE(ui.messages.empty());
    for (const auto& [file, before] :
         {std::pair{"/p/Unit1.pas", kUnit1}, std::pair{"/p/Unit2.pas", kUnit2}}) {
        const std::string after = fs.bytes(file);
        EXPECT_EQ(after.find("WriteLn('"), std::string::npos) << after;
        EXPECT_FALSE(findCodeMismatch(before, after)) << after;
    }
}

} // namespace
} // namespace qw

namespace qw {
namespace {

TEST_F(WalkFixture, ASingleFileRunLeavesTheWalkListsAloneAndKeepsItsOwnNames) {
    ui.abortAt("Unit2.pas", 3);
    ui.answer(texts::kAbortedSeeResults, Button::No);
    ASSERT_EQ(drivers.commentProject("/p/Main.dpr", "/p"), WalkEnd::Aborted);
    std::int32_t count = 0;
    drivers.commentFile("/p/Unit1.pas", Interaction::ShowResult, count);
    drivers.commentFile("/p/Unit2.pas", Interaction::ShowResult, count);
    EXPECT_EQ(drivers.projectLists().front(), "unit2.pas");
    EXPECT_EQ(drivers.fileLists().queue(), (std::deque<std::string>{"unit3.pas"}));
}

} // namespace
} // namespace qw
