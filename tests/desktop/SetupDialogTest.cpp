// The setup dialog: the schema library, the strip of marks, the save
// questions and the effects of OK and Cancel.

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>

#include "DesktopTest.h"
#include "app/dialogs/TDirectoryListBox.h"
#include "app/dialogs/TFileListBox.h"
#include "app/dialogs/TFrmSetup.h"
#include "app/dialogs/THotKey.h"
#include "app/dialogs/TPaintBox.h"
#include "app/dialogs/TSchemaMemo.h"
#include "schema/SchemaFile.h"

using namespace qw;
using namespace qw::desktop;
using namespace qw::desktop::test;

namespace {

constexpr const char* kSaveCaption = "Save schema file";
constexpr const char* kModifiedPrompt = "The schema was modified. Do you want to save it?";

// A library of two schemas: A.cs with a fixed first line and B.cs all free.
struct Library : DesktopFixture {
    Library() {
        write(QStringLiteral("A.cs"), "x(* A first *)\r\no(* A free *)\r\nx(* A last *)\r\n");
        write(QStringLiteral("B.cs"), "o{ B one }\r\no{ B two }\r\n");
        write(QStringLiteral("notes.txt"), "not a schema");
        settings.schemaDirectory = folder.path().toStdString() + "/";
        settings.schemaName = "a.cs"; // found whatever its letter case
        settings.endCommentStyle = 3;
        settings.commentHotKey = 49217;
        schema = loadSchema("x(* in use *)\r\n");
    }
    Settings settings;
    Schema schema;
};

// The strip's y for a line index, in the middle of its row.
int rowY(const TFrmSetup& dialog, int line) {
    return dialog.markOffset() +
           (line - dialog.MemoSchema->firstVisibleLine()) * dialog.SchemaRowHeight() +
           dialog.SchemaRowHeight() / 2;
}

void clickMark(TFrmSetup& dialog, int line) {
    QTest::mouseClick(dialog.PBFixed, Qt::LeftButton, {}, QPoint(8, rowY(dialog, line)));
}

QStringList listNames(const TFileListBox* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

} // namespace

class SetupDialogTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QW_VERIFY_NO_LEAKED_WINDOWS(); }

    void showingStartsFromTheSettings() {
        Library fx;
        QDir::setCurrent(QDir::tempPath());
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Quillwright 1.32 - Setup"));
        QCOMPARE(listNames(dialog.FileListBox2), (QStringList{"A.cs", "B.cs"}));
        QCOMPARE(dialog.FileListBox2->selectedNames(), QStringList{"A.cs"});
        QCOMPARE(fx.settings.schemaName, std::string("A.cs"));
        QCOMPARE(dialog.MemoSchema->toPlainText(),
                 QStringLiteral("(* A first *)\n(* A free *)\n(* A last *)"));
        QVERIFY(dialog.isFixed(0) && !dialog.isFixed(1) && dialog.isFixed(2));
        QCOMPARE(dialog.LBCStyle->currentRow(), 3);
        QCOMPARE(dialog.HotKey1->hotKey(), 49217);
        // Showing the schema folder made it the current directory.
        QCOMPARE(QDir::currentPath(), QDir(fx.folder.path()).canonicalPath());
        QCOMPARE(fx.settings.schemaDirectory, QDir(fx.folder.path()).canonicalPath().toStdString());
        dialog.hide();
    }

    void hotKeyFieldShownOnlyInThePlugin_data() {
        QTest::addColumn<bool>("shown");
        QTest::newRow("Quillo") << false;
        QTest::newRow("plug-in") << true;
    }
    void hotKeyFieldShownOnlyInThePlugin() {
        QFETCH(bool, shown);
        Library fx;
        TFrmSetup dialog(fx.services, fx.settings, fx.schema,
                         shown ? HotKeyControls::Shown : HotKeyControls::Hidden);
        dialog.show();
        QCOMPARE(dialog.HotKey1->isVisible(), shown);
        QCOMPARE(dialog.Label2->isVisible(), shown);
        QCOMPARE(dialog.Label2->text(), QStringLiteral("Hot&key for \"Comment!\""));
        dialog.hide();
    }

    void marksShowEachLinesFlag() {
        Library fx;
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        const QImage strip = dialog.PBFixed->render();
        // The sign is red where the pencil has none; below the last line, nothing.
        auto redIn = [&](int line) {
            const int top = rowY(dialog, line) - dialog.SchemaRowHeight() / 2;
            for (int y = top; y < top + 13; ++y)
                for (int x = 2; x < 15; ++x)
                    if (y >= 0 && y < strip.height() &&
                        strip.pixelColor(x, y) == QColor(0xE0, 0, 0))
                        return true;
            return false;
        };
        QVERIFY(redIn(0));
        QVERIFY(!redIn(1));
        QVERIFY(redIn(2));
        const int below = rowY(dialog, 3) - dialog.SchemaRowHeight() / 2;
        const QColor background = strip.pixelColor(1, 0);
        for (int y = below; y < below + dialog.SchemaRowHeight(); ++y)
            for (int x = 0; x < strip.width(); ++x)
                QCOMPARE(strip.pixelColor(x, y), background);
        // The mask's white pixels leave the strip as it was: the corner of the sign.
        const int top0 = rowY(dialog, 0) - dialog.SchemaRowHeight() / 2;
        QCOMPARE(strip.pixelColor(2, top0), background);
        dialog.hide();
    }

    void marksFollowScrolling() {
        Library fx;
        std::string many;
        for (int i = 0; i < 60; ++i)
            many += (i == 40 ? "x" : "o") + std::string("line ") + std::to_string(i) + "\r\n";
        fx.write(QStringLiteral("A.cs"), many);
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        dialog.MemoSchema->verticalScrollBar()->setValue(35);
        QCoreApplication::processEvents();
        QCOMPARE(dialog.MemoSchema->firstVisibleLine(), 35);
        clickMark(dialog, 40); // the fifth row now shows line 40
        QVERIFY(!dialog.isFixed(40));
        clickMark(dialog, 36);
        QVERIFY(dialog.isFixed(36));
        QVERIFY(!dialog.isFixed(1));
        dialog.hide();
    }

    void toggleThenOkAndSave() {
        Library fx;
        fx.dialogs.textAnswers = {QStringLiteral("A")}; // saved as A.cs
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        clickMark(dialog, 1);
        QVERIFY(dialog.MemoSchema->document()->isModified());
        dialog.Button1->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(fx.dialogs.textAsked.size(), std::size_t(1));
        QCOMPARE(fx.dialogs.textAsked[0].caption, QLatin1String(kSaveCaption));
        QCOMPARE(fx.dialogs.textAsked[0].prompt, QLatin1String(kModifiedPrompt));
        QCOMPARE(fx.dialogs.textAsked[0].initial, QStringLiteral("A.cs"));
        QCOMPARE(fx.read(QStringLiteral("A.cs")),
                 std::string("x(* A first *)\r\nx(* A free *)\r\nx(* A last *)\r\n"));
        QCOMPARE(fx.schema.lines,
                 (std::vector<std::string>{"(* A first *)", "(* A free *)", "(* A last *)"}));
        QCOMPARE(fx.schema.fixed, (std::vector<bool>{true, true, true}));
        QCOMPARE(fx.settings.endCommentStyle, std::uint8_t(3));
    }

    void toggleThenOkAndDecline() {
        Library fx; // the save question is cancelled
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        clickMark(dialog, 1);
        dialog.Button1->click();
        QCOMPARE(fx.dialogs.textAsked.size(), std::size_t(1));
        QCOMPARE(fx.read(QStringLiteral("A.cs")),
                 std::string("x(* A first *)\r\no(* A free *)\r\nx(* A last *)\r\n"));
        // Loaded again from its file: the toggle is lost.
        QCOMPARE(fx.schema.fixed, (std::vector<bool>{true, false, true}));
        QCOMPARE(fx.schema.lines.size(), std::size_t(3));
    }

    void toggleThenCancel() {
        Library fx;
        const Settings before = fx.settings;
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        clickMark(dialog, 0);
        dialog.LBCStyle->setCurrentRow(0);
        dialog.FileListBox2->item(1)->setSelected(true); // B.cs, asks to save A: cancelled
        dialog.Button2->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(fx.schema.lines, std::vector<std::string>{"(* in use *)"});
        QCOMPARE(fx.schema.fixed, std::vector<bool>{true});
        QCOMPARE(fx.settings.schemaName, before.schemaName);
        QCOMPARE(fx.settings.schemaDirectory, before.schemaDirectory);
        QCOMPARE(fx.settings.endCommentStyle, before.endCommentStyle);
    }

    void escapeIsCancel() {
        Library fx;
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        clickMark(dialog, 0);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(fx.schema.fixed, std::vector<bool>{true});
    }

    void switchingWhileModifiedAndCancellingLosesTheEdits() {
        Library fx;
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        dialog.MemoSchema->moveCursor(QTextCursor::End);
        QTest::keyClicks(dialog.MemoSchema, QStringLiteral(" edited"));
        QTest::mouseClick(
            dialog.FileListBox2->viewport(), Qt::LeftButton, {},
            dialog.FileListBox2->visualItemRect(dialog.FileListBox2->item(1)).center());
        QCOMPARE(fx.dialogs.textAsked.size(), std::size_t(1));
        QCOMPARE(fx.dialogs.textAsked[0].initial, QStringLiteral("A.cs"));
        QCOMPARE(dialog.MemoSchema->toPlainText(), QStringLiteral("{ B one }\n{ B two }"));
        QVERIFY(!dialog.MemoSchema->document()->isModified());
        QCOMPARE(fx.settings.schemaName, std::string("B.cs"));
        QVERIFY(fx.read(QStringLiteral("A.cs")).find("edited") == std::string::npos);
        dialog.hide();
    }

    void clickingTheSelectedSchemaLoadsItAgain() {
        Library fx;
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        QTest::keyClicks(dialog.MemoSchema, QStringLiteral("zz"));
        const QPoint at =
            dialog.FileListBox2->visualItemRect(dialog.FileListBox2->item(0)).center();
        QTest::mouseClick(dialog.FileListBox2->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(fx.dialogs.textAsked.size(), std::size_t(1));
        QCOMPARE(dialog.MemoSchema->document()->firstBlock().text(),
                 QStringLiteral("(* A first *)"));
        dialog.hide();
    }

    void saveAsAppendsTheExtension_data() {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("file");
        QTest::newRow("no extension") << "Mine"
                                      << "Mine.cs";
        QTest::newRow("upper-case .CS") << "Mine.CS"
                                        << "Mine.CS.cs";
        QTest::newRow(".cs") << "Mine.cs"
                             << "Mine.cs";
        QTest::newRow("other extension") << "Mine.txt"
                                         << "Mine.txt.cs";
    }
    void saveAsAppendsTheExtension() {
        QFETCH(QString, entered);
        QFETCH(QString, file);
        Library fx;
        fx.dialogs.textAnswers = {entered};
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        clickMark(dialog, 2); // A's last line becomes free
        dialog.Save1->trigger();
        QCOMPARE(fx.dialogs.textAsked.at(0).prompt, QStringLiteral("Please enter a file name:"));
        QCOMPARE(fx.dialogs.textAsked.at(0).initial, QStringLiteral("A.cs"));
        QCOMPARE(fx.read(file),
                 std::string("x(* A first *)\r\no(* A free *)\r\no(* A last *)\r\n"));
        QCOMPARE(fx.settings.schemaName, file.toStdString());
        QVERIFY(!dialog.MemoSchema->document()->isModified());
        QVERIFY(listNames(dialog.FileListBox2).contains(file));
        QCOMPARE(dialog.FileListBox2->selectedNames(), QStringList{"A.cs"}); // kept selected
        dialog.hide();
    }

    void deleteAsksAndKeepsTheEditor() {
        Library fx;
        fx.dialogs.answers = {Button::Yes};
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        dialog.Delete1->trigger();
        QCOMPARE(fx.dialogs.asked.at(0).text,
                 QStringLiteral("Do you really want to delete the selected schema?"));
        QCOMPARE(fx.dialogs.asked.at(0).buttons, (std::vector<Button>{Button::Yes, Button::No}));
        QCOMPARE(listNames(dialog.FileListBox2), QStringList{"B.cs"});
        QVERIFY(!QFile::exists(fx.file("A.cs")));
        QCOMPARE(dialog.MemoSchema->document()->firstBlock().text(),
                 QStringLiteral("(* A first *)"));
        QCOMPARE(fx.settings.schemaName, std::string("A.cs"));
        dialog.Delete1->trigger(); // nothing selected now: asked, then ignored
        QCOMPARE(fx.dialogs.asked.size(), std::size_t(2));
        QVERIFY(QFile::exists(fx.file("B.cs")));
        dialog.hide();
    }

    void editInTheTextEditorReloadsTheFile() {
        Library fx;
        fx.launcher.whileRunning = [&](const Command& command) {
            QCOMPARE(command.arguments.last(), fx.file("A.cs"));
            fx.write(QStringLiteral("A.cs"), "o(* edited *)\r\nx(* outside *)\r\n");
        };
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        QTest::keyClicks(dialog.MemoSchema, QStringLiteral("unsaved"));
        dialog.BtnEditor->click();
        QCOMPARE(fx.launcher.runs.size(), std::size_t(1));
        QCOMPARE(fx.launcher.runs[0].command.program, QStringLiteral("/usr/bin/gedit"));
        QCOMPARE(fx.launcher.runs[0].command.arguments,
                 (QStringList{QStringLiteral("--wait"), fx.file("A.cs")}));
        QCOMPARE(fx.launcher.runs[0].timeoutMs, -1);
        QCOMPARE(dialog.MemoSchema->toPlainText(), QStringLiteral("(* edited *)\n(* outside *)"));
        QVERIFY(!dialog.isFixed(0) && dialog.isFixed(1));
        QVERIFY(!dialog.MemoSchema->document()->isModified());
        dialog.hide();
    }

    void anEditorThatCannotStartIsReported_data() {
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("message");
        QTest::newRow("none found") << false << "No text editor was found to open\r\n";
        QTest::newRow("fails to start")
            << true << "The text editor \"/usr/bin/gedit\" could not be started to open\r\n";
    }
    void anEditorThatCannotStartIsReported() {
        QFETCH(bool, found);
        QFETCH(QString, message);
        Library fx;
        fx.launcher.starts = false;
        const TextEditor none{EditorLookup{
            [](const QString&) { return QString(); }, [](const char*) { return QString(); }, {}}};
        const WindowServices services{fx.dialogs, fx.launcher, found ? fx.editor : none, fx.files,
                                      fx.pictures};
        TFrmSetup dialog(services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        QTest::keyClicks(dialog.MemoSchema, QStringLiteral("unsaved"));
        dialog.BtnEditor->click();
        QCOMPARE(fx.dialogs.asked.size(), std::size_t(1));
        QCOMPARE(fx.dialogs.asked[0].kind, DialogKind::Error);
        QVERIFY2(fx.dialogs.asked[0].text.startsWith(message),
                 qPrintable(fx.dialogs.asked[0].text));
        QVERIFY(fx.dialogs.asked[0].text.contains(fx.file("A.cs")));
        // Nothing was read back: the edits stay.
        QVERIFY(dialog.MemoSchema->toPlainText().startsWith(QStringLiteral("unsaved")));
        QVERIFY(dialog.MemoSchema->document()->isModified());
        dialog.hide();
    }

    void unreadableSchemaKeepsThePreviousOne() {
        Library fx;
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        QFile::remove(fx.file("B.cs")); // gone behind the list's back
        dialog.FileListBox2->item(1)->setSelected(true);
        QCOMPARE(fx.dialogs.errors.size(), qsizetype(1));
        QVERIFY(fx.dialogs.errors[0].startsWith(QStringLiteral("Cannot open file ")));
        QCOMPARE(fx.settings.schemaName, std::string("B.cs"));
        QCOMPARE(dialog.MemoSchema->document()->firstBlock().text(),
                 QStringLiteral("(* A first *)"));
        QVERIFY(dialog.isFixed(0));
        dialog.hide();
    }

    void schemaBytesSurvive_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("windows-1252") << QByteArray("x(* \xe9t\xe9 \x80 *)\r\no\xa0\r\n");
        QTest::newRow("utf-8") << QByteArray("x(* \xc3\xa9t\xc3\xa9 *)\r\no\xe2\x82\xac\r\n");
    }
    void schemaBytesSurvive() {
        QFETCH(QByteArray, bytes);
        Library fx;
        fx.write(QStringLiteral("A.cs"), bytes.toStdString());
        fx.dialogs.textAnswers = {QStringLiteral("A.cs")};
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        dialog.Save1->trigger();
        QCOMPARE(fx.read(QStringLiteral("A.cs")), bytes.toStdString());
        dialog.hide();
    }

    void okTakesTheOtherSettings() {
        Library fx;
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Shown);
        dialog.show();
        dialog.LBCStyle->setCurrentRow(1);
        dialog.CBRef->setChecked(true);
        QTest::keyClick(dialog.HotKey1, Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
        dialog.Button1->click();
        QCOMPARE(fx.settings.endCommentStyle, std::uint8_t(1));
        QCOMPARE(fx.settings.crossReference, CrossReference::On);
        QCOMPARE(fx.settings.commentHotKey, 'Q' + 8192 + 16384);
        QCOMPARE(fx.schema.lines.size(), std::size_t(3));
        QVERIFY(fx.dialogs.textAsked.empty()); // nothing was modified
    }

    void anEmptyFolderKeepsTheEditor() {
        Library fx;
        QTemporaryDir empty;
        fx.settings.schemaDirectory = empty.path().toStdString();
        TFrmSetup dialog(fx.services, fx.settings, fx.schema, HotKeyControls::Hidden);
        dialog.show();
        QCOMPARE(dialog.FileListBox2->count(), 0);
        QTest::keyClicks(dialog.MemoSchema, QStringLiteral("typed"));
        dialog.Button1->click(); // asks to save (cancelled), then takes the editor's lines
        QCOMPARE(fx.schema.lines, std::vector<std::string>{"typed"});
    }
};

QW_DESKTOP_TEST_MAIN(SetupDialogTest)
#include "SetupDialogTest.moc"
