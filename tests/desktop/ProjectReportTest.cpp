// The project report: its lines, Edit enabled by a click, and the file
// handed to the text editor whole.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "DesktopTest.h"
#include "app/dialogs/TFProjRep.h"
#include "drivers/ProjectReport.h"

using namespace qw;
using namespace qw::desktop;
using namespace qw::desktop::test;

class ProjectReportTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QW_VERIFY_NO_LEAKED_WINDOWS(); }

    void linesAndLayout() {
        DesktopFixture fx;
        TFProjRep report(fx.services);
        ProjectReport data;
        data.addEntry("/p/Main.dpr", 3, "/p/Main.dpr");
        data.addEntry("unit1.pas", 0, "/p/Unit1.pas");
        report.AddEntries(data);
        QCOMPARE(report.windowTitle(), QStringLiteral("Project report"));
        QCOMPARE(report.size(), QSize(385, 208));
        QCOMPARE(report.ListBox1->count(), 2);
        QCOMPARE(report.ListBox1->item(0)->text(), QStringLiteral("/p/Main.dpr\t3"));
        QCOMPARE(report.ListBox1->item(1)->text(), QStringLiteral("unit1.pas\t0"));
        QCOMPARE(report.Label1->buddy(), report.ListBox1);
        QCOMPARE(report.Label2->text(), QStringLiteral("Comments"));
        QVERIFY(report.Button1->isDefault());
        QCOMPARE(report.Button1->text(), QStringLiteral("Ok"));
    }

    void editIsEnabledByAClickAndStaysSo() {
        DesktopFixture fx;
        TFProjRep report(fx.services);
        report.AddEntry(QStringLiteral("a.pas"), 1);
        report.show();
        QVERIFY(!report.Button2->isEnabled());
        report.Button2Click(); // nothing chosen: nothing started
        QVERIFY(fx.launcher.runs.empty());
        const QRect line = report.ListBox1->visualItemRect(report.ListBox1->item(0));
        QTest::mouseClick(report.ListBox1->viewport(), Qt::LeftButton, {}, line.center());
        QVERIFY(report.Button2->isEnabled());
        report.ListBox1->clearSelection();
        QVERIFY(report.Button2->isEnabled());
        report.hide();
    }

    // Taking the focus gives the list a current line; only a choice enables Edit.
    void editWaitsForAChoice_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("focus by Tab") << "tab" << false;
        QTest::newRow("focus by access key") << "alt+f" << false;
        QTest::newRow("click") << "click" << true;
        QTest::newRow("arrow key") << "down" << true;
    }
    void editWaitsForAChoice() {
        QFETCH(QString, action);
        QFETCH(bool, enabled);
        DesktopFixture fx;
        TFProjRep report(fx.services);
        report.AddEntry(QStringLiteral("/p/Main.dpr"), 0);
        report.AddEntry(QStringLiteral("unit1.pas"), 2);
        report.show();
        QVERIFY(QTest::qWaitForWindowActive(&report));
        if (action == QLatin1String("tab")) {
            report.Button1->setFocus();
            QTest::keyClick(report.Button1, Qt::Key_Tab); // round to the list
        } else if (action == QLatin1String("alt+f")) {
            QTest::keyClick(&report, Qt::Key_F, Qt::AltModifier);
        } else if (action == QLatin1String("click")) {
            const QRect line = report.ListBox1->visualItemRect(report.ListBox1->item(1));
            QTest::mouseClick(report.ListBox1->viewport(), Qt::LeftButton, {}, line.center());
        } else {
            QTest::keyClick(&report, Qt::Key_F, Qt::AltModifier);
            QTest::keyClick(report.ListBox1, Qt::Key_Down);
        }
        if (action != QLatin1String("click"))
            QVERIFY(report.ListBox1->hasFocus());
        QCOMPARE(report.Button2->isEnabled(), enabled);
        QTest::keyClick(&report, Qt::Key_E, Qt::AltModifier); // presses Edit a moment later
        QTest::qWait(200);
        QCOMPARE(fx.launcher.runs.size(), std::size_t(enabled ? 1 : 0));
        report.hide();
    }

    void anEditorThatCannotStartIsReported() {
        DesktopFixture fx;
        fx.launcher.starts = false;
        TFProjRep report(fx.services);
        report.AddEntry(QStringLiteral("unit1.pas"), 0, QStringLiteral("/p/Unit1.pas"));
        report.ListBox1->setCurrentRow(0);
        report.ListBox1Click();
        report.Button2->click();
        QCOMPARE(fx.launcher.runs.size(), std::size_t(1));
        QCOMPARE(fx.dialogs.asked.size(), std::size_t(1));
        QCOMPARE(fx.dialogs.asked[0].kind, DialogKind::Error);
        QCOMPARE(fx.dialogs.asked[0].text,
                 QStringLiteral("The text editor \"/usr/bin/gedit\" could not be started to "
                                "open\r\n/p/Unit1.pas"));
    }

    void editOpensTheWholeName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("opened");
        QTest::newRow("found on disk") << "unit1.pas"
                                       << "/p/Unit1.pas"
                                       << "/p/Unit1.pas";
        QTest::newRow("blanks stay one argument") << "/my src/Main.dpr"
                                                  << ""
                                                  << "/my src/Main.dpr";
        QTest::newRow("cut at the last TAB only") << "odd\tname.pas"
                                                  << ""
                                                  << "odd\tname.pas";
        const QString deep = QStringLiteral("/") + QString(300, u'd') + QStringLiteral("/Main.dpr");
        QTest::newRow("longer than 255") << deep << "" << deep;
    }
    void editOpensTheWholeName() {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QFETCH(QString, opened);
        DesktopFixture fx;
        TFProjRep report(fx.services);
        report.AddEntry(name, 0, path);
        report.ListBox1->setCurrentRow(0);
        report.ListBox1Click();
        report.Button2->click();
        QCOMPARE(fx.launcher.runs.size(), std::size_t(1));
        const RecordingLauncher::Run& run = fx.launcher.runs[0];
        QCOMPARE(run.timeoutMs, -2); // started without waiting
        QCOMPARE(run.show, ShowWindow::Maximized);
        QCOMPARE(run.command.program, QStringLiteral("/usr/bin/gedit"));
        QCOMPARE(run.command.arguments, QStringList{opened});
    }
};

QW_DESKTOP_TEST_MAIN(ProjectReportTest)
#include "ProjectReportTest.moc"
