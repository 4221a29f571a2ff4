// The main window: enabling rules, Parse over the selected files, Clean,
// Project, the drop filter, Setup and Help, and that commands never overlap.

#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "DesktopTest.h"
#include "app/desktop/TFilesDrop.h"
#include "app/desktop/TForm1.h"
#include "app/dialogs/TDirectoryListBox.h"
#include "app/dialogs/TDriveComboBox.h"
#include "app/dialogs/TFProjRep.h"
#include "app/dialogs/TFileListBox.h"
#include "app/dialogs/TFrmResult.h"
#include "app/dialogs/TFrmSetup.h"
#include "app/dialogs/THotKey.h"
#include "app/dialogs/TResultMemo.h"
#include "platform/FixedEpochClock.h"

using namespace qw;
using namespace qw::desktop;
using namespace qw::desktop::test;

namespace {

const std::string kUnit =
    "unit U;\r\ninterface\r\nimplementation\r\nprocedure P;\r\nbegin\r\nend;\r\n"
    "end.\r\n";

// A folder of sources and a main window showing it.
struct MainFixture : DesktopFixture {
    MainFixture() {
        for (const char* name : {"A.pas", "B.pas", "D.inc", "Unit1.PAS"})
            write(QString::fromLatin1(name), kUnit);
        write(QStringLiteral("C.dpr"),
              "program C;\r\nuses A in 'A.pas', B in 'B.pas', Missing;\r\nbegin\r\nend.\r\n");
        write(QStringLiteral("notes.txt"), "text");
        QDir(folder.path()).mkdir(QStringLiteral("sub.pas"));
        form = std::make_unique<TForm1>(services, state);
        form->DirectoryListBox1->setDirectory(folder.path());
    }
    int row(const QString& name) const {
        for (int i = 0; i < form->FileListBox1->count(); ++i)
            if (form->FileListBox1->item(i)->text() == name)
                return i;
        qFatal("no entry %s", qPrintable(name));
    }
    // Selects the entries as the user would, the last one getting the focus mark.
    void select(const QStringList& names) {
        form->FileListBox1->clearSelection();
        for (const QString& name : names)
            form->FileListBox1->setCurrentRow(row(name), QItemSelectionModel::Select);
    }
    QStringList shownTitles() const {
        QStringList titles;
        for (const auto& shown : dialogs.shown)
            titles << shown.title;
        return titles;
    }

    ProgramState state;
    std::unique_ptr<TForm1> form;
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QW_VERIFY_NO_LEAKED_WINDOWS(); }

    void layoutAndStart() {
        MainFixture fx;
        TForm1& form = *fx.form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Quillwright 1.32"));
        QCOMPARE(form.size(), QSize(430, 196));
        QCOMPARE(form.FileListBox1->mask(), QStringLiteral("*.pas;*.inc;*.dpr"));
        QStringList names;
        for (int i = 0; i < form.FileListBox1->count(); ++i)
            names << form.FileListBox1->item(i)->text();
        QCOMPARE(names, (QStringList{"A.pas", "B.pas", "C.dpr", "D.inc", "Unit1.PAS"}));
        QVERIFY(!form.BtnParse->isEnabled() && !form.BtnProj->isEnabled() &&
                !form.BtnClean->isEnabled());
        QVERIFY(form.FilesDrop1->Active());
        // Moving to a folder makes it the current directory.
        QCOMPARE(QDir::currentPath(), QDir(fx.folder.path()).canonicalPath());
        // The tab order: folder list, file list, drive, Parse, Clean, Setup, Help, Exit, Project.
        QList<QWidget*> controls;
        controls << form.DirectoryListBox1 << form.FileListBox1 << form.DriveComboBox2
                 << form.BtnParse << form.BtnClean << form.BtnSetup << form.BtnHelp << form.BtnExit
                 << form.BtnProj;
        QList<QWidget*> order{static_cast<QWidget*>(form.DirectoryListBox1)};
        for (QWidget* w = form.DirectoryListBox1->nextInFocusChain();
             w != form.DirectoryListBox1 && order.size() < controls.size();
             w = w->nextInFocusChain())
            if (controls.contains(w))
                order << w;
        QCOMPARE(order, controls);
    }

    void enablingRules_data() {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<bool>("parse");
        QTest::addColumn<bool>("project");
        QTest::newRow("one unit") << QStringList{"A.pas"} << true << false;
        QTest::newRow("one project") << QStringList{"C.dpr"} << true << true;
        QTest::newRow("project and unit") << QStringList{"C.dpr", "A.pas"} << true << false;
        QTest::newRow("unit and project") << QStringList{"A.pas", "C.dpr"} << true << false;
        QTest::newRow("two units") << QStringList{"A.pas", "B.pas"} << true << false;
        QTest::newRow("none") << QStringList{} << false << false;
    }
    void enablingRules() {
        QFETCH(QStringList, selected);
        QFETCH(bool, parse);
        QFETCH(bool, project);
        MainFixture fx;
        fx.select({"D.inc"}); // something before, so that "none" is a change
        fx.select(selected);
        QCOMPARE(fx.form->BtnParse->isEnabled(), parse);
        QCOMPARE(fx.form->BtnClean->isEnabled(), parse);
        QCOMPARE(fx.form->BtnProj->isEnabled(), project);
    }

    void projectNeedsTheCurrentEntryToBeTheProject() {
        MainFixture fx;
        fx.write(QStringLiteral("MAIN.DPR"), "program M;\r\nbegin\r\nend.\r\n");
        fx.form->FileListBox1->refresh();
        fx.select({"MAIN.DPR"});
        QVERIFY(fx.form->BtnProj->isEnabled()); // the extension in lower case
    }

    void aChangeOfFolderKeepsTheButtons() {
        MainFixture fx;
        fx.select({"C.dpr"});
        QTemporaryDir empty;
        fx.form->DirectoryListBox1->setDirectory(empty.path());
        QCOMPARE(fx.form->FileListBox1->count(), 0);
        QVERIFY(fx.form->BtnParse->isEnabled());
        QVERIFY(fx.form->BtnProj->isEnabled());
        fx.form->BtnParse->click(); // processes nothing
        fx.form->BtnProj->click();  // no current entry: does nothing
        QVERIFY(fx.dialogs.shown.empty());
        QVERIFY(fx.dialogs.asked.empty());
    }

    void parseCommentsEverySelectedFileInListOrder() {
        MainFixture fx;
        fx.select({"D.inc", "A.pas", "Unit1.PAS"});
        fx.form->BtnParse->click();
        QCOMPARE(fx.shownTitles(),
                 (QStringList{fx.file("A.pas"), fx.file("D.inc"), fx.file("Unit1.PAS")}));
        for (const auto& shown : fx.dialogs.shown)
            QCOMPARE(shown.className, QStringLiteral("qw::desktop::TFrmResult"));
        QVERIFY(fx.dialogs.asked.empty());
    }

    // However the result window closes, the keys reach the main window again.
    void theMainWindowGetsTheFocusBack_data() {
        QTest::addColumn<bool>("abandon");
        QTest::newRow("Save") << false;
        QTest::newRow("Exit, abandon the changes") << true;
    }
    void theMainWindowGetsTheFocusBack() {
        QFETCH(bool, abandon);
        MainFixture fx;
        fx.form->show();
        QVERIFY(QTest::qWaitForWindowActive(fx.form.get()));
        fx.select({"A.pas"});
        fx.form->FileListBox1->setFocus();
        fx.dialogs.answers = {Button::Yes}; // abandon the changes
        fx.dialogs.modalActions.push_back([&](QDialog& dialog) {
            auto& result = static_cast<TFrmResult&>(dialog);
            QVERIFY(QTest::qWaitForWindowActive(&result));
            QTest::keyClicks(result.Memo2, QStringLiteral("x"));
            (abandon ? result.BitBtn2 : result.BitBtn1)->click();
            QVERIFY(!result.isVisible());
            // What the window manager did: the focus went to a window that
            // is gone by now.
            auto stray = std::make_unique<QWidget>();
            stray->show();
            QVERIFY(QTest::qWaitForWindowActive(stray.get()));
            stray.reset();
            QCoreApplication::processEvents();
            QVERIFY(QApplication::activeWindow() != fx.form.get());
        });
        QTest::keyClick(fx.form.get(), Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(fx.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(fx.dialogs.asked.size(), std::size_t(abandon ? 1 : 0));
        QTRY_COMPARE(QApplication::activeWindow(), fx.form.get());
        QCOMPARE(QApplication::focusWidget(), fx.form->FileListBox1);
        fx.form->hide();
    }

    void doubleClickParsesAllSelected() {
        MainFixture fx;
        fx.select({"A.pas", "B.pas"});
        QListWidget* list = fx.form->FileListBox1;
        emit list->itemDoubleClicked(list->item(fx.row("B.pas")));
        QCOMPARE(fx.shownTitles(), (QStringList{fx.file("A.pas"), fx.file("B.pas")}));
    }

    void cleanAsksWhenNothingWasRemoved() {
        MainFixture fx;
        fx.select({"A.pas"});
        fx.form->BtnClean->click();
        QCOMPARE(fx.dialogs.asked.size(), std::size_t(1));
        QCOMPARE(fx.dialogs.asked[0].text,
                 QStringLiteral("No comments were\r\nremoved in this file.\r\n\r\nDo you want to "
                                "see it though?"));
        QVERIFY(fx.dialogs.shown.empty()); // answered No
    }

    void projectWalksAndReports_data() {
        QTest::addColumn<bool>("setupFirst");
        QTest::newRow("straight away") << false;
        // The setup dialog moves the current directory to the schema folder.
        QTest::newRow("after Setup, Cancel") << true;
    }
    void projectWalksAndReports() {
        QFETCH(bool, setupFirst);
        MainFixture fx;
        QTemporaryDir schemas;
        if (setupFirst) {
            fx.state.settings.schemaDirectory = schemas.path().toStdString();
            fx.dialogs.modalActions.push_back(
                [](QDialog& dialog) { static_cast<TFrmSetup&>(dialog).Button2->click(); });
            fx.form->BtnSetup->click();
            QCOMPARE(QDir::currentPath(), QDir(schemas.path()).canonicalPath());
        }
        fx.select({"C.dpr"});
        QStringList lines;
        fx.dialogs.modalActions.push_back([&](QDialog& dialog) {
            auto* report = qobject_cast<TFProjRep*>(&dialog);
            QVERIFY(report);
            for (int i = 0; i < report->ListBox1->count(); ++i)
                lines << report->ListBox1->item(i)->text();
        });
        fx.form->BtnProj->click();
        QCOMPARE(lines.size(), qsizetype(3));
        QVERIFY(lines[0].startsWith(fx.file("C.dpr") + u'\t'));
        QVERIFY(lines[1].startsWith(QStringLiteral("a.pas\t")));
        QVERIFY(lines[2].startsWith(QStringLiteral("b.pas\t")));
        QVERIFY(fx.read(QStringLiteral("A.pas")) != kUnit); // saved at once
        QCOMPARE(fx.read(QStringLiteral("A.bak")), kUnit);
    }

    void dropFilter() {
        MainFixture fx;
        fx.form->FilesDrop1->DroppedFiles = {fx.file("Unit1.PAS"), fx.file("notes.txt"),
                                             fx.file("sub.pas"),   fx.file("noext"),
                                             fx.file("D.inc"),     fx.file("C.dpr")};
        fx.dialogs.fallback = Button::Yes; // see it though, when nothing was generated
        fx.form->FilesDrop1DropFile(fx.form->FilesDrop1);
        // The project file is commented as a single file, not walked.
        QCOMPARE(fx.shownTitles(),
                 (QStringList{fx.file("Unit1.PAS"), fx.file("D.inc"), fx.file("C.dpr")}));
    }

    void filesDroppedOnTheWindowAreCommented() {
        MainFixture fx;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(fx.file("B.pas")),
                      QUrl::fromLocalFile(fx.file("notes.txt")),
                      QUrl::fromLocalFile(fx.file("A.pas"))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(fx.form.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(fx.form.get(), &drop);
        QCOMPARE(fx.form->FilesDrop1->DroppedCount, 3);
        QCOMPARE(fx.shownTitles(), (QStringList{fx.file("B.pas"), fx.file("A.pas")}));
    }

    void droppableSources_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");
        QTest::newRow("pas") << "/x/a.pas" << true;
        QTest::newRow("upper case") << "/x/UNIT1.PAS" << true;
        QTest::newRow("inc") << "/x/b.Inc" << true;
        QTest::newRow("dpr") << "/x/M.dpr" << true;
        QTest::newRow("text") << "/x/a.txt" << false;
        QTest::newRow("no extension") << "/x/pas" << false;
        QTest::newRow("dot in the folder") << "/x.pas/readme" << false;
        QTest::newRow("two extensions") << "/x/a.pas.bak" << false;
        QTest::newRow("blank inside") << "/x/a.p s" << false;
    }
    void droppableSources() {
        QFETCH(QString, name);
        QFETCH(bool, taken);
        QCOMPARE(isDroppableSource(name), taken);
    }

    void commandsAreDisabledWhileOneRuns() {
        MainFixture fx;
        fx.select({"A.pas", "B.pas"});
        int checked = 0;
        auto whileShown = [&](QDialog&) {
            QVERIFY(fx.form->busy());
            QVERIFY(!fx.form->BtnParse->isEnabled());
            QVERIFY(!fx.form->BtnSetup->isEnabled());
            QVERIFY(!fx.form->FileListBox1->isEnabled());
            fx.form->ParseClick();      // refused: no second run inside the first
            QVERIFY(!fx.form->close()); // and the window stays
            ++checked;
        };
        fx.dialogs.modalActions = {whileShown, whileShown};
        fx.form->BtnParse->click();
        QCOMPARE(checked, 2);
        QCOMPARE(fx.dialogs.shown.size(), std::size_t(2));
        QVERIFY(!fx.form->busy());
        QVERIFY(fx.form->BtnParse->isEnabled());
        QVERIFY(fx.form->BtnSetup->isEnabled());
    }

    void setupOpensTheDialogWithoutTheHotKey() {
        MainFixture fx;
        fx.state.settings.schemaDirectory = fx.folder.path().toStdString();
        fx.dialogs.modalActions.push_back([](QDialog& dialog) {
            auto* setup = qobject_cast<TFrmSetup*>(&dialog);
            QVERIFY(setup);
            QVERIFY(!setup->HotKey1->isVisible());
            setup->LBCStyle->setCurrentRow(0);
            setup->Button1->click();
        });
        fx.form->BtnSetup->click();
        QCOMPARE(fx.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(fx.state.settings.endCommentStyle, std::uint8_t(0));
        QCOMPARE(fx.form->drivers().passOptions().style, EndCommentStyle::None);
    }

    void helpOpensTheHelp() {
        MainFixture fx;
        fx.form->BtnHelp->click();
        QCOMPARE(fx.dialogs.helpShown, 1);
    }
};

QW_DESKTOP_TEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
