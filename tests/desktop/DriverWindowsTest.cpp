// The drivers in windows: the progress window of a pass, the result shown
// after it, an abort through the Abort button, and the questions.

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "DesktopTest.h"
#include "app/dialogs/TFrmProgress.h"
#include "app/dialogs/TFrmResult.h"
#include "app/dialogs/TResultMemo.h"
#include "app/dialogs/WindowDriverUi.h"
#include "drivers/Drivers.h"

using namespace qw;
using namespace qw::desktop;
using namespace qw::desktop::test;

namespace {

std::string unitWithRoutines(int routines) {
    std::string text = "unit U;\r\ninterface\r\nimplementation\r\n";
    for (int i = 0; i < routines; ++i)
        text += "procedure P" + std::to_string(i) + ";\r\nbegin\r\nend;\r\n";
    return text + "end.\r\n";
}

PassOptions optionsFor(FileSystem& files) {
    PassOptions options;
    options.fileSystem = &files;
    return options;
}

} // namespace

class DriverWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QW_VERIFY_NO_LEAKED_WINDOWS(); }

    void aPassShowsProgressThenTheResult() {
        DesktopFixture fx;
        fx.write(QStringLiteral("Unit1.pas"), unitWithRoutines(2));
        WindowDriverUi ui(fx.services, nullptr);
        Drivers drivers(ui, optionsFor(fx.files));
        QString progressTitle;
        QTimer::singleShot(0, [&] {
            if (ui.progressWindow())
                progressTitle = ui.progressWindow()->windowTitle();
        });
        QString label;
        bool italic = false;
        fx.dialogs.modalActions.push_back([&](QDialog& dialog) {
            auto& result = static_cast<TFrmResult&>(dialog);
            label = result.Panels[3]->text();
            QTextCursor cursor = result.Memo2->document()->find(QStringLiteral("{ P0 }"));
            italic = !cursor.isNull() && cursor.charFormat().fontItalic();
            QVERIFY(!ui.progressWindow()); // destroyed before the result is shown
        });
        std::int32_t count = 0;
        QVERIFY(drivers.commentFile(fx.file("Unit1.pas").toStdString(), Interaction::ShowResult,
                                    count));
        QCOMPARE(progressTitle, QStringLiteral("Unit1.pas"));
        QCOMPARE(count, 4);
        QCOMPARE(label, QStringLiteral("4 comments inserted.     "));
        QVERIFY(italic);
        QCOMPARE(fx.dialogs.shown.at(0).title, fx.file("Unit1.pas"));
    }

    // A run without a schema writes no headers: the result window says why.
    void theResultTellsARunWithoutSchema_data() {
        QTest::addColumn<bool>("schema");
        QTest::addColumn<bool>("clean");
        QTest::addColumn<bool>("noted");
        QTest::newRow("comment without schema") << false << false << true;
        QTest::newRow("comment with a schema") << true << false << false;
        QTest::newRow("clean without schema") << false << true << false;
    }
    void theResultTellsARunWithoutSchema() {
        QFETCH(bool, schema);
        QFETCH(bool, clean);
        QFETCH(bool, noted);
        DesktopFixture fx;
        fx.write(QStringLiteral("Unit1.pas"), unitWithRoutines(1));
        WindowDriverUi ui(fx.services, nullptr);
        PassOptions options = optionsFor(fx.files);
        if (schema)
            options.schema = Schema{{"{ %FuncName }"}, {true}};
        Drivers drivers(ui, options);
        fx.dialogs.fallback = Button::Yes; // see it though, when nothing was removed
        bool shown = false;
        fx.dialogs.modalActions.push_back([&](QDialog& dialog) {
            shown = static_cast<TFrmResult&>(dialog).SchemaNote->isVisible();
        });
        std::int32_t count = 0;
        if (clean)
            drivers.cleanFile(fx.file("Unit1.pas").toStdString());
        else
            drivers.commentFile(fx.file("Unit1.pas").toStdString(), Interaction::ShowResult, count);
        QCOMPARE(fx.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(shown, noted);
    }

    void abortButtonStopsThePassAndSaveIsDisabled() {
        DesktopFixture fx;
        fx.write(QStringLiteral("Big.pas"), unitWithRoutines(200));
        WindowDriverUi ui(fx.services, nullptr);
        Drivers drivers(ui, optionsFor(fx.files));
        QTimer::singleShot(0, [&] {
            if (ui.progressWindow())
                ui.progressWindow()->BtnAbort->click();
        });
        fx.dialogs.answers = {Button::Yes}; // see the results though
        bool saveEnabled = true;
        int linesShown = 0;
        fx.dialogs.modalActions.push_back([&](QDialog& dialog) {
            auto& result = static_cast<TFrmResult&>(dialog);
            saveEnabled = result.BitBtn1->isEnabled();
            linesShown = result.Memo2->document()->blockCount();
            result.BitBtn2->click(); // Exit asks nothing
            QVERIFY(!result.isVisible());
        });
        std::int32_t count = 0;
        QVERIFY(
            !drivers.commentFile(fx.file("Big.pas").toStdString(), Interaction::ShowResult, count));
        QCOMPARE(fx.dialogs.asked.size(), std::size_t(1));
        QCOMPARE(fx.dialogs.asked[0].text,
                 QStringLiteral("Process was aborted. Do you\r\nwant to see the results though?"));
        QVERIFY(!saveEnabled);
        QVERIFY(linesShown > 0 && linesShown < 600); // the part read before the abort
        QCOMPARE(fx.read(QStringLiteral("Big.pas")), unitWithRoutines(200));
    }

    void nothingGeneratedAsksFirst() {
        DesktopFixture fx;
        fx.write(QStringLiteral("Empty.pas"), "");
        WindowDriverUi ui(fx.services, nullptr);
        Drivers drivers(ui, optionsFor(fx.files));
        std::int32_t count = 0;
        QVERIFY(!drivers.commentFile(fx.file("Empty.pas").toStdString(), Interaction::ShowResult,
                                     count));
        QCOMPARE(fx.dialogs.asked.size(), std::size_t(1));
        QCOMPARE(fx.dialogs.asked[0].text,
                 QStringLiteral("No (new) comments were\r\ngenerated for this file.\r\n\r\nDo you "
                                "want to see it though?"));
        QVERIFY(fx.dialogs.shown.empty());
    }

    void aProjectFileIsRequiredForAWalk() {
        DesktopFixture fx;
        fx.write(QStringLiteral("Unit1.pas"), unitWithRoutines(1));
        WindowDriverUi ui(fx.services, nullptr);
        Drivers drivers(ui, optionsFor(fx.files));
        QCOMPARE(drivers.commentProject(fx.file("Unit1.pas").toStdString(), {}),
                 WalkEnd::NotAProjectFile);
        QCOMPARE(fx.dialogs.asked.at(0).kind, DialogKind::Warning);
        QCOMPARE(fx.dialogs.asked.at(0).buttons, std::vector<Button>{Button::Abort});
        QVERIFY(fx.dialogs.shown.empty());
    }
};

QW_DESKTOP_TEST_MAIN(DriverWindowsTest)
#include "DriverWindowsTest.moc"
