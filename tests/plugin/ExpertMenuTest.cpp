// The entry point, the expert object and its submenu, as the IDE sees them.

#include <array>
#include <cstddef>
#include <cstring>

#include "PluginFixture.h"

namespace qw::plugin::test {
namespace {

using Calls = std::vector<std::string>;

const Calls kMenuBuilt = {
    "ToolServices.GetMainMenu()",
    "MainMenu.FindMenuItem(\"ToolsGalleryItem\")",
    "ToolsGalleryItem.GetParent()",
    "ToolsGalleryItem.GetIndex()",
    "ToolsMenu.InsertItem(2, \"&Quillmark\", \"QWItem\", \"\", 0, 0, 0, 3, no handler)",
    "QWItem.InsertItem(0, \"Strip\", \"QWStrip\", \"\", 0, 0, 0, 3, handler)",
    "QWItem.InsertItem(0, \"&Comment!\", \"QWDoItItem\", \"\", 24642, 0, 0, 3, handler)",
    "QWItem.InsertItem(1, \"&Setup\", \"QWSetupItem\", \"\", 0, 0, 0, 3, handler)",
    "ToolsMenu.Release()",
    "ToolsGalleryItem.Release()",
    "MainMenu.Release()",
};

const Calls kToolsMenuAsTheIdeHasIt = {"ToolsOptionsItem", "ToolsGalleryItem", "ToolsToolsItem"};

Calls concat(Calls first, const Calls& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::string stringResult(std::int32_t (ide::Expert::*operation)(char*, std::int32_t),
                         ide::Expert& expert) {
    std::array<char, 64> buffer{};
    buffer.fill('#');
    const std::int32_t length = (expert.*operation)(buffer.data(), buffer.size());
    EXPECT_EQ(length, static_cast<std::int32_t>(std::strlen(buffer.data())));
    return buffer.data();
}

TEST_F(PluginTest, EntryPointBuildsTheSubmenuRightAfterTheGalleryItem) {
    ASSERT_TRUE(loadAndInit());

    EXPECT_EQ(host.calls(),
              concat(concat({"ToolServices.GetParentHandle()"}, kMenuBuilt), {"RegisterExpert()"}));
    EXPECT_EQ(host.registrations, 1);
    EXPECT_EQ(terminate, nullptr);
    EXPECT_EQ(host.childNames("ToolsMenu"),
              (Calls{"ToolsOptionsItem", "ToolsGalleryItem", "QWItem", "ToolsToolsItem"}));
    EXPECT_EQ(host.childNames("QWItem"), (Calls{"QWDoItItem", "QWSetupItem", "QWStrip"}));

    struct Expected {
        const char* name;
        const char* caption;
        std::int32_t shortCut;
        bool handled;
    };
    for (const Expected& expected :
         {Expected{"QWItem", "&Quillmark", 0, false},
          Expected{"QWDoItItem", "&Comment!", kCtrlShiftB, true},
          Expected{"QWSetupItem", "&Setup", 0, true}, Expected{"QWStrip", "Strip", 0, true}}) {
        SCOPED_TRACE(expected.name);
        const HostMenuItem* item = host.item(expected.name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->caption, expected.caption);
        EXPECT_EQ(item->shortCut, expected.shortCut);
        EXPECT_EQ(item->hint, "");
        EXPECT_EQ(item->helpContext, 0);
        EXPECT_EQ(item->groupIndex, 0);
        EXPECT_EQ(item->flags, ide::MenuFlagEnabled | ide::MenuFlagVisible);
        EXPECT_EQ(item->onClick.code != nullptr, expected.handled);
        if (expected.handled) {
            EXPECT_EQ(item->onClick.object, static_cast<void*>(host.expert));
        }
    }
    // The expert keeps its four items; the main menu, the gallery item and
    // the Tools menu were given back.
    EXPECT_EQ(host.outstandingReferences(), 4);
}

TEST_F(PluginTest, ExpertAnswersTheOperationsOfTheExpertInterface) {
    ASSERT_TRUE(loadAndInit());
    ide::Expert& expert = *host.expert;
    host.clearCalls();

    EXPECT_EQ(expert.GetVersion(), 2);
    EXPECT_EQ(stringResult(&ide::Expert::GetName, expert), "Quillwright");
    EXPECT_EQ(stringResult(&ide::Expert::GetAuthor, expert), "Varnstead");
    EXPECT_EQ(stringResult(&ide::Expert::GetComment, expert), ".. comments Delphi source code.");
    EXPECT_EQ(stringResult(&ide::Expert::GetPage, expert), "");
    EXPECT_EQ(expert.GetGlyph(), 0u);
    EXPECT_EQ(expert.GetStyle(), 3);
    EXPECT_EQ(expert.GetState(), 1u);
    EXPECT_EQ(stringResult(&ide::Expert::GetIDString, expert), "Varnstead.Quillwright");
    EXPECT_EQ(stringResult(&ide::Expert::GetMenuText, expert), "");
    expert.Execute();

    EXPECT_TRUE(host.calls().empty()); // none of them asks the IDE anything
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PluginTest, StringResultsAreCutToTheCallersBufferAndTellTheirFullLength) {
    ASSERT_TRUE(loadAndInit());
    ide::Expert& expert = *host.expert;
    std::array<char, 8> buffer{};
    buffer.fill('#');

    EXPECT_EQ(expert.GetIDString(buffer.data(), 5), 21);
    EXPECT_STREQ(buffer.data(), "Varn");
    EXPECT_EQ(buffer[5], '#'); // nothing written past the size given
    EXPECT_EQ(expert.GetName(buffer.data(), 1), 11);
    EXPECT_STREQ(buffer.data(), "");
    EXPECT_EQ(expert.GetName(nullptr, 0), 11);
}

TEST_F(PluginTest, ReleaseAtZeroDestroysTheExpertAndRemovesTheSubmenu) {
    ASSERT_TRUE(loadAndInit());
    ide::Expert& expert = *host.expert;
    host.clearCalls();

    EXPECT_EQ(expert.AddRef(), 2);
    EXPECT_EQ(expert.Release(), 1);
    EXPECT_NE(host.item("QWItem"), nullptr); // still counted once
    EXPECT_TRUE(host.calls().empty());

    EXPECT_EQ(releaseExpert(), 0);
    EXPECT_EQ(host.calls(),
              (Calls{"QWItem.DestroyMenuItem()", "QWDoItItem.Release()", "QWStrip.Release()",
                     "QWSetupItem.Release()", "QWItem.Release()"}));
    EXPECT_EQ(host.childNames("ToolsMenu"), kToolsMenuAsTheIdeHasIt);
    for (const char* name : {"QWItem", "QWDoItItem", "QWSetupItem", "QWStrip"})
        EXPECT_EQ(host.item(name), nullptr) << name;
    EXPECT_EQ(host.outstandingReferences(), 0);
}

TEST_F(PluginTest, SecondCallOfTheEntryPointRegistersNothingAndChangesNothing) {
    ASSERT_TRUE(loadAndInit());
    host.clearCalls();
    terminate = &notReplaced;
    IdeHost second; // another IDE's services, as well as the same ones again

    EXPECT_FALSE(initExpert(second.toolServices(), &IdeHost::registerExpert));
    EXPECT_FALSE(initExpert(host.toolServices(), &IdeHost::registerExpert));

    EXPECT_TRUE(second.calls().empty());
    EXPECT_EQ(second.registrations, 0);
    EXPECT_TRUE(host.calls().empty());
    EXPECT_EQ(host.registrations, 1);
    EXPECT_EQ(terminate, &notReplaced);
    EXPECT_EQ(host.childNames("QWItem"), (Calls{"QWDoItItem", "QWSetupItem", "QWStrip"}));
}

TEST_F(PluginTest, WithoutToolServicesOrRegisterProcedureNothingIsRegisteredYet) {
    load();
    IdeHost unused;

    EXPECT_FALSE(initExpert(nullptr, &IdeHost::registerExpert));
    EXPECT_EQ(terminate, nullptr);
    terminate = &notReplaced;
    EXPECT_FALSE(initExpert(unused.toolServices(), nullptr));
    EXPECT_EQ(terminate, nullptr);
    EXPECT_TRUE(unused.calls().empty());
    EXPECT_EQ(host.registrations + unused.registrations, 0);

    // The library still waits for the IDE's tool services.
    host.makeCurrent();
    EXPECT_TRUE(initExpert(host.toolServices(), &IdeHost::registerExpert));
    EXPECT_EQ(host.registrations, 1);
    EXPECT_NE(host.item("QWDoItItem"), nullptr);
}

struct MissingMenu {
    const char* name;
    void (*prepare)(IdeHost&);
    Calls calls;
};

void PrintTo(const MissingMenu& c, std::ostream* out) {
    *out << c.name;
}

class MissingMenuTest : public PluginTest, public ::testing::WithParamInterface<MissingMenu> {};

TEST_P(MissingMenuTest, ExpertIsRegisteredWithoutMenu) {
    GetParam().prepare(host);

    ASSERT_TRUE(loadAndInit());
    EXPECT_EQ(host.calls(), concat(concat({"ToolServices.GetParentHandle()"}, GetParam().calls),
                                   {"RegisterExpert()"}));
    EXPECT_EQ(host.registrations, 1);
    EXPECT_EQ(host.item("QWItem"), nullptr);
    EXPECT_EQ(host.outstandingReferences(), 0);
    EXPECT_FALSE(host.pressKey(kCtrlShiftB));

    host.clearCalls();
    EXPECT_EQ(releaseExpert(), 0);
    EXPECT_TRUE(host.calls().empty()); // no submenu to remove
}

INSTANTIATE_TEST_SUITE_P(
    Plugin, MissingMenuTest,
    ::testing::Values(
        MissingMenu{"NoMainMenu",
                    [](IdeHost& ide) { ide.offerMainMenu = false; },
                    {"ToolServices.GetMainMenu()"}},
        MissingMenu{"NoGalleryItem",
                    [](IdeHost& ide) { ide.removeGalleryItem(); },
                    {"ToolServices.GetMainMenu()", "MainMenu.FindMenuItem(\"ToolsGalleryItem\")",
                     "MainMenu.Release()"}},
        MissingMenu{"GalleryItemWithoutParent",
                    [](IdeHost& ide) { ide.orphanGalleryItem(); },
                    {"ToolServices.GetMainMenu()", "MainMenu.FindMenuItem(\"ToolsGalleryItem\")",
                     "ToolsGalleryItem.GetParent()", "ToolsGalleryItem.Release()",
                     "MainMenu.Release()"}}),
    [](const ::testing::TestParamInfo<MissingMenu>& c) { return std::string(c.param.name); });

struct FailedInsertion {
    int failing;  // the insertion (from 1) that gives no item
    Calls held;   // the items the expert holds then
    Calls inside; // what the submenu holds
};

void PrintTo(const FailedInsertion& c, std::ostream* out) {
    *out << "insertion " << c.failing;
}

class FailedInsertionTest : public PluginTest,
                            public ::testing::WithParamInterface<FailedInsertion> {};

TEST_P(FailedInsertionTest, MenuStopsWhereTheIdeInsertedNothing) {
    const FailedInsertion& c = GetParam();
    host.failInsertion = c.failing;

    ASSERT_TRUE(loadAndInit());
    EXPECT_EQ(host.registrations, 1);
    EXPECT_EQ(host.callsTo("InsertItem").size(), static_cast<std::size_t>(c.failing));
    // What was taken to build on is given back all the same.
    const Calls& calls = host.calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(Calls(calls.end() - 4, calls.end() - 1),
              (Calls{"ToolsMenu.Release()", "ToolsGalleryItem.Release()", "MainMenu.Release()"}));
    EXPECT_EQ(host.outstandingReferences(), static_cast<std::int32_t>(c.held.size()));
    for (const std::string& name : c.held)
        EXPECT_NE(host.item(name), nullptr) << name;
    EXPECT_EQ(host.childNames("QWItem"), c.inside);
    EXPECT_EQ(host.pressKey(kCtrlShiftB), c.failing == 4); // "&Comment!" answers when it is there

    EXPECT_EQ(releaseExpert(), 0);
    EXPECT_EQ(host.outstandingReferences(), 0);
    EXPECT_EQ(host.childNames("ToolsMenu"), kToolsMenuAsTheIdeHasIt);
}

INSTANTIATE_TEST_SUITE_P(Plugin, FailedInsertionTest,
                         ::testing::Values(FailedInsertion{1, {}, {}},
                                           FailedInsertion{2, {"QWItem"}, {}},
                                           FailedInsertion{3, {"QWItem", "QWStrip"}, {"QWStrip"}},
                                           FailedInsertion{4,
                                                           {"QWItem", "QWStrip", "QWDoItItem"},
                                                           {"QWDoItItem", "QWStrip"}}),
                         [](const ::testing::TestParamInfo<FailedInsertion>& c) {
                             return "Insertion" + std::to_string(c.param.failing);
                         });

TEST_F(PluginTest, ParentWindowHandleIsAskedOnceAndIgnoredWhereThePlatformCannotTakeIt) {
    host.parentHandle = 0x5150; // no window of this process: the offscreen platform ignores it
    host.currentFile = "Form1.dfm";
    ASSERT_TRUE(loadAndInit());
    EXPECT_EQ(host.callsTo("GetParentHandle").size(), 1u);

    // The library's windows still open (here: its message).
    ASSERT_TRUE(host.click("QWDoItItem"));
    EXPECT_EQ(dialogs.asked.size(), 1u);
}

// Where an operation sits in its object's table of operations, from the
// representation of a pointer to a virtual member in the Itanium C++ ABI
// (GCC and Clang, MinGW included): one more than its offset in bytes.
template <typename Member> std::ptrdiff_t positionOf(Member member) {
    struct Representation {
        std::ptrdiff_t pointer;
        std::ptrdiff_t adjustment;
    };
    static_assert(sizeof(Member) == sizeof(Representation));
    Representation representation{};
    std::memcpy(&representation, &member, sizeof representation);
    return (representation.pointer - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

TEST(IdeInterfaces, EveryOperationSitsAtItsPositionOfTheExpertInterface) {
#if (defined(__x86_64__) || defined(__i386__)) && !defined(_MSC_VER)
    const std::vector<std::pair<std::ptrdiff_t, std::ptrdiff_t>> positions = {
        {positionOf(&ide::Interface::AddRef), 0},
        {positionOf(&ide::Interface::Release), 1},
        {positionOf(&ide::Interface::GetVersion), 2},
        {positionOf(&ide::ToolServices::SaveFile), 8},
        {positionOf(&ide::ToolServices::ReloadFile), 10},
        {positionOf(&ide::ToolServices::GetParentHandle), 14},
        {positionOf(&ide::ToolServices::GetCurrentFile), 21},
        {positionOf(&ide::ToolServices::GetMainMenu), 33},
        {positionOf(&ide::MainMenu::FindMenuItem), 4},
        {positionOf(&ide::MenuItem::DestroyMenuItem), 3},
        {positionOf(&ide::MenuItem::GetIndex), 4},
        {positionOf(&ide::MenuItem::GetParent), 8},
        {positionOf(&ide::MenuItem::GetShortCut), 11},
        {positionOf(&ide::MenuItem::SetShortCut), 12},
        {positionOf(&ide::MenuItem::InsertItem), 23},
        {positionOf(&ide::Expert::GetName), 3},
        {positionOf(&ide::Expert::GetAuthor), 4},
        {positionOf(&ide::Expert::GetComment), 5},
        {positionOf(&ide::Expert::GetPage), 6},
        {positionOf(&ide::Expert::GetGlyph), 7},
        {positionOf(&ide::Expert::GetStyle), 8},
        {positionOf(&ide::Expert::GetState), 9},
        {positionOf(&ide::Expert::GetIDString), 10},
        {positionOf(&ide::Expert::GetMenuText), 11},
        {positionOf(&ide::Expert::Execute), 12},
    };
    for (std::size_t i = 0; i < positions.size(); ++i)
        EXPECT_EQ(positions[i].first, positions[i].second) << "entry " << i;
#else
    GTEST_SKIP() << "positions are read from the Itanium C++ ABI's member pointers";
#endif
}

} // namespace
} // namespace qw::plugin::test
