// Program start and end: the settings come before any window, the setup
// dialog first when the schema cannot be read, and all six values are
// written back at the end.

#include <QApplication>
#include <QPushButton>

#include "DesktopTest.h"
#include "app/desktop/QuilloProgram.h"
#include "app/desktop/TForm1.h"
#include "app/dialogs/TDirectoryListBox.h"
#include "app/dialogs/TFrmSetup.h"
#include "platform/Clock.h"
#include "platform/MemorySettingsStore.h"

using namespace qw;
using namespace qw::desktop;
using namespace qw::desktop::test;

namespace {

class FixedTime final : public Clock {
public:
    std::string shortDate() override { return "08.12.2026"; }
    std::string longTime() override { return "10:30:00"; }
};

UserEnvironment userIn(const QString& folder) {
    UserEnvironment user;
    user.currentDirectory = folder.toStdString();
    user.logonName = "tester";
    return user;
}

bool mainWindowExists() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<TForm1*>(window))
            return true;
    return false;
}

} // namespace

class ProgramStartTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QW_VERIFY_NO_LEAKED_WINDOWS(); }

    void firstStartWithoutASchemaOpensSetupFirst() {
        DesktopFixture fx;
        MemorySettingsStore store;
        FixedTime clock;
        QTemporaryDir startFolder;
        QDir::setCurrent(startFolder.path());
        bool windowBeforeSetup = true;
        std::size_t toldBeforeSetup = 0;
        fx.dialogs.modalActions.push_back([&](QDialog& dialog) {
            QVERIFY(qobject_cast<TFrmSetup*>(&dialog));
            windowBeforeSetup = mainWindowExists();
            toldBeforeSetup = fx.dialogs.asked.size();
            static_cast<TFrmSetup&>(dialog).Button2->click(); // Cancel
        });
        QuilloProgram program(fx.services, store, userIn(fx.folder.path()), clock);
        program.start();
        QVERIFY(!windowBeforeSetup);
        QCOMPARE(fx.dialogs.shown.size(), std::size_t(1));
        // Before the dialog the user learns which schema could not be read, and why.
        QCOMPARE(toldBeforeSetup, std::size_t(1));
        QCOMPARE(fx.dialogs.asked[0].kind, DialogKind::Information);
        const QString told = fx.dialogs.asked[0].text;
        QVERIFY2(told.startsWith(QStringLiteral("The schema \"") + fx.file("Demo.cs") +
                                 QStringLiteral("\" could not be read (")),
                 qPrintable(told));
        QVERIFY(told.contains(QStringLiteral("Choose a schema in the setup dialog")));
        QVERIFY(program.state().schema.empty());
        QVERIFY(program.mainWindow());
        // The main window opens where the program started, not in the schema folder.
        QCOMPARE(
            QFileInfo(program.mainWindow()->DirectoryListBox1->directory()).canonicalFilePath(),
            QFileInfo(startFolder.path()).canonicalFilePath());
        const Settings& s = program.state().settings;
        QCOMPARE(s.schemaName, std::string("Demo.cs"));
        QCOMPARE(s.coderName, std::string("tester"));
        QCOMPARE(s.endCommentStyle, std::uint8_t(2));
        QCOMPARE(s.commentHotKey, 49217);

        QVERIFY(program.finish());
        QVERIFY(!program.mainWindow());
        QCOMPARE(store.size(), std::size_t(6));
        QCOMPARE(std::get<std::string>(*store.get("Name")), std::string("Demo.cs"));
        QCOMPARE(std::get<std::int32_t>(*store.get("SCut")), 49217);
        QCOMPARE(std::get<std::int32_t>(*store.get("CRef")), 0);
    }

    void aReadableSchemaOpensNoDialog() {
        DesktopFixture fx;
        fx.write(QStringLiteral("Mine.cs"), "x{ %FuncName }\r\no{ notes }\r\n");
        MemorySettingsStore store;
        store.put("Path", fx.folder.path().toStdString()); // no trailing separator
        store.put("Name", std::string("Mine.cs"));
        store.put("Style", std::int32_t(1));
        store.put("CRef", std::int32_t(1));
        FixedTime clock;
        QuilloProgram program(fx.services, store, userIn(QDir::tempPath()), clock);
        program.start();
        QVERIFY(fx.dialogs.shown.empty());
        QCOMPARE(program.state().schema.lines,
                 (std::vector<std::string>{"{ %FuncName }", "{ notes }"}));
        QCOMPARE(program.state().schema.fixed, (std::vector<bool>{true, false}));
        const PassOptions& options = program.mainWindow()->drivers().passOptions();
        QCOMPARE(options.style, EndCommentStyle::Line);
        QCOMPARE(options.crossReference, CrossReference::On);
        QCOMPARE(options.schema.lines.size(), std::size_t(2));
        QCOMPARE(options.coderName, std::string("tester"));
        QVERIFY(program.finish());
    }

    void settingsChangedInTheRunAreWrittenAtTheEnd() {
        DesktopFixture fx;
        fx.write(QStringLiteral("Demo.cs"), "x{ demo }\r\n");
        MemorySettingsStore store;
        FixedTime clock;
        QuilloProgram program(fx.services, store, userIn(fx.folder.path()), clock);
        program.start();
        program.state().settings.endCommentStyle = 3;
        QCOMPARE(store.writes, 0); // nothing is written before the end
        QVERIFY(program.finish());
        QCOMPARE(std::get<std::int32_t>(*store.get("Style")), 3);
        QCOMPARE(std::get<std::string>(*store.get("User")), std::string("tester"));
    }
};

QW_DESKTOP_TEST_MAIN(ProgramStartTest)
#include "ProgramStartTest.moc"
