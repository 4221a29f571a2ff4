// Hosts that run Qt themselves: the library takes their application object
// and leaves it to them.

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QVariant>

#include "PluginFixture.h"
#include "plugin/PluginDialogs.h"

namespace qw::plugin::test {
namespace {

class HostApplicationTest : public PluginTest {
protected:
    void answerDialogsBeforeTheLibraryStarts() {
        hostApplication->setProperty(
            kHostDialogsProperty,
            QVariant::fromValue(static_cast<void*>(static_cast<desktop::DialogLayer*>(&dialogs))));
    }

    // Outlives the library: the fixture unloads it before this goes.
    std::unique_ptr<QCoreApplication> hostApplication;
    int argc_ = 1;
    char name_[5] = "host";
    char* argv_[2] = {name_, nullptr};
};

TEST_F(HostApplicationTest, LibraryUsesTheHostsApplicationAndLeavesItAlive) {
    hostApplication = std::make_unique<QApplication>(argc_, argv_);
    answerDialogsBeforeTheLibraryStarts();
    // The current schema cannot be read: the library's start opens the setup
    // dialog, with its hot-key controls.
    writeSettings({{"Path", schemaFolder.string() + "/"}, {"Name", "Missing.cs"}});
    bool hotKeyShown = false;
    dialogs.modalActions.push_back([&](QDialog& setup) {
        if (auto* field = childOf<QLineEdit>(setup, "HotKey1"))
            hotKeyShown = field->isVisible();
    });

    ASSERT_TRUE(loadAndInit());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].className, "qw::desktop::TFrmSetup");
    EXPECT_TRUE(hotKeyShown);
    EXPECT_NE(host.item("QWDoItItem"), nullptr);

    unload();
    EXPECT_EQ(QCoreApplication::instance(), hostApplication.get());
    EXPECT_TRUE(hostApplication->property(kHostDialogsProperty).isValid());
}

TEST_F(HostApplicationTest, HostWithoutWidgetsGetsNoExpert) {
    hostApplication = std::make_unique<QCoreApplication>(argc_, argv_);

    load();
    EXPECT_FALSE(initExpert(host.toolServices(), &IdeHost::registerExpert));
    EXPECT_EQ(host.registrations, 0);
    EXPECT_TRUE(host.calls().empty());
    EXPECT_EQ(terminate, nullptr);
}

TEST_F(PluginTest, LibraryMakesItsOwnApplicationAndEndsItWithItself) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    ASSERT_TRUE(loadAndInit());
    EXPECT_NE(qobject_cast<QApplication*>(QCoreApplication::instance()), nullptr);

    unload();
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

} // namespace
} // namespace qw::plugin::test
