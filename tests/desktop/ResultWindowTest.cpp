// The result window: count texts, status bar, close query, Save with its
// backup, the marks of inserted comments and byte-true text.

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>

#include "DesktopTest.h"
#include "app/dialogs/TFrmResult.h"
#include "app/dialogs/TResultMemo.h"
#include "drivers/SaveFile.h"

using namespace qw;
using namespace qw::desktop;
using namespace qw::desktop::test;

namespace {

constexpr const char* kAbandon =
    "Do you really want to abandon the changes?\r\nThe file has not been saved yet.";

ResultDocument documentOf(const QString& title, const std::vector<std::string>& lines,
                          std::int32_t count = 0) {
    ResultDocument doc;
    doc.title = title.toStdString();
    for (const auto& line : lines)
        doc.editor.append(line);
    doc.commentCount = count;
    return doc;
}

void typeText(QWidget* widget, const QString& text) {
    QTest::keyClicks(widget, text);
}

} // namespace

class ResultWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QW_VERIFY_NO_LEAKED_WINDOWS(); }

    void countTexts_data() {
        QTest::addColumn<bool>("insertions");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("none inserted") << true << 0 << "No comments inserted.     ";
        QTest::newRow("one inserted") << true << 1 << "One comments inserted.     ";
        QTest::newRow("many inserted") << true << 17 << "17 comments inserted.     ";
        QTest::newRow("none removed") << false << 0 << "No comments removed.     ";
        QTest::newRow("one removed") << false << 1 << "One comments removed.     ";
        QTest::newRow("many removed") << false << 2 << "2 comments removed.     ";
    }
    void countTexts() {
        QFETCH(bool, insertions);
        QFETCH(int, count);
        QFETCH(QString, text);
        DesktopFixture fx;
        ResultDocument doc = documentOf(fx.file("a.pas"), {"x"}, count);
        doc.counts = insertions ? CountKind::Insertions : CountKind::Removals;
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        QCOMPARE(window.Panels[3]->text(), text);
        QCOMPARE(window.CommentCount, count);
    }

    void initialStatusBar() {
        DesktopFixture fx;
        TFrmResult window(fx.services);
        QCOMPARE(window.windowTitle(), QStringLiteral("Result:"));
        QCOMPARE(window.Panels[0]->text(), QStringLiteral(" 1234:123"));
        QCOMPARE(window.Panels[1]->text(), QString());
        QCOMPARE(window.Panels[2]->text(), QStringLiteral("Insert"));
        QCOMPARE(window.Panels[3]->text(), QStringLiteral("0 comments inserted"));
        QCOMPARE(window.Saved, false);
        QCOMPARE(window.InsertMode, 1);
    }

    void caretPositionCountsFromZero() {
        DesktopFixture fx;
        ResultDocument doc = documentOf(fx.file("a.pas"), {"unit A;", "", "begin", "end."});
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        window.show();
        QTextCursor cursor = window.Memo2->textCursor();
        cursor.setPosition(window.Memo2->document()->findBlockByNumber(2).position());
        window.Memo2->setTextCursor(cursor);
        QCOMPARE(window.Panels[0]->text(), QStringLiteral("2:0"));
        cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 3);
        window.Memo2->setTextCursor(cursor);
        QCOMPARE(window.Panels[0]->text(), QStringLiteral("2:0")); // the selection's start
        cursor.setPosition(window.Memo2->document()->findBlockByNumber(0).position() + 5);
        window.Memo2->setTextCursor(cursor);
        QCOMPARE(window.Panels[0]->text(), QStringLiteral("0:5"));
        window.hide();
    }

    void insertKeySwitchesTheEditor() {
        DesktopFixture fx;
        ResultDocument doc = documentOf(fx.file("a.pas"), {"abc"});
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        window.show();
        for (int press = 1; press <= 3; ++press)
            QTest::keyClick(window.Memo2, Qt::Key_Insert);
        QCOMPARE(window.Panels[2]->text(), QStringLiteral("Overwrite"));
        QCOMPARE(window.InsertMode, 0);
        QVERIFY(window.Memo2->overwriteMode());
        window.Memo2->moveCursor(QTextCursor::Start);
        QTest::keyClicks(window.Memo2, QStringLiteral("X"));
        QCOMPARE(window.Memo2->document()->firstBlock().text(), QStringLiteral("Xbc"));
        // Shift+Insert pastes; it does not switch.
        QTest::keyClick(window.Memo2, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(window.Panels[2]->text(), QStringLiteral("Overwrite"));
        QTest::keyClick(window.Memo2, Qt::Key_Insert);
        QCOMPARE(window.Panels[2]->text(), QStringLiteral("Insert"));
        QVERIFY(!window.Memo2->overwriteMode());
        window.hide();
    }

    void modifiedPanelCountsOnlyTheUsersEdits() {
        DesktopFixture fx;
        ResultDocument doc = documentOf(fx.file("a.pas"), {"abc"});
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        window.Memo2->appendPlainText(QStringLiteral("by the pass")); // before it is shown
        QCOMPARE(window.Panels[1]->text(), QString());
        window.show();
        QVERIFY(!window.Memo2->document()->isModified());
        typeText(window.Memo2, QStringLiteral("z"));
        QCOMPARE(window.Panels[1]->text(), QStringLiteral("Modified"));
        window.hide();
    }

    void closeQuery_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("saveDisabled");
        QTest::addColumn<int>("answer"); // what the question is answered, when asked
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("closes");
        QTest::newRow("count 0, untouched")
            << 0 << false << false << int(Button::No) << false << true;
        QTest::newRow("count 0, typed, No")
            << 0 << true << false << int(Button::No) << true << false;
        QTest::newRow("count 0, typed, Yes")
            << 0 << true << false << int(Button::Yes) << true << true;
        QTest::newRow("count 3, No") << 3 << false << false << int(Button::No) << true << false;
        QTest::newRow("count 3, Yes") << 3 << false << false << int(Button::Yes) << true << true;
        QTest::newRow("save disabled") << 3 << true << true << int(Button::No) << false << true;
    }
    void closeQuery() {
        QFETCH(int, count);
        QFETCH(bool, typed);
        QFETCH(bool, saveDisabled);
        QFETCH(int, answer);
        QFETCH(bool, asks);
        QFETCH(bool, closes);
        DesktopFixture fx;
        fx.dialogs.answers = {static_cast<Button>(answer)};
        ResultDocument doc = documentOf(fx.file("a.pas"), {"abc"}, count);
        doc.saveButton = saveDisabled ? SaveButton::Disabled : SaveButton::Enabled;
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        window.show();
        if (typed)
            typeText(window.Memo2, QStringLiteral("q"));
        window.BitBtn2->click(); // Exit
        QCOMPARE(fx.dialogs.asked.size(), std::size_t(asks ? 1 : 0));
        if (asks) {
            QCOMPARE(fx.dialogs.asked[0].text, QString::fromLatin1(kAbandon));
            QCOMPARE(fx.dialogs.asked[0].kind, DialogKind::Confirmation);
            QCOMPARE(fx.dialogs.asked[0].buttons, (std::vector<Button>{Button::Yes, Button::No}));
        }
        QCOMPARE(window.isVisible(), !closes);
        // Escape never closes the window: it has no cancel button.
        if (window.isVisible()) {
            QTest::keyClick(&window, Qt::Key_Escape);
            QVERIFY(window.isVisible());
        }
        window.hide();
    }

    void saveMakesTheBackupAndCloses() {
        DesktopFixture fx;
        fx.write(QStringLiteral("Unit1.pas"), "old text\r\n");
        fx.write(QStringLiteral("Unit1.bak"), "older backup\r\n");
        ResultDocument doc = documentOf(fx.file("Unit1.pas"), {"new", "text"}, 2);
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        QCOMPARE(window.windowTitle(), fx.file("Unit1.pas"));
        window.show();
        window.BitBtn1->click();
        QVERIFY(window.Saved);
        QVERIFY(!window.isVisible());
        QCOMPARE(fx.read(QStringLiteral("Unit1.pas")), std::string("new\r\ntext\r\n"));
        QCOMPARE(fx.read(QStringLiteral("Unit1.bak")), std::string("old text\r\n"));
        QVERIFY(fx.dialogs.asked.empty()); // saved: closing asks nothing
    }

    void saveWritesTheUsersEdits() {
        DesktopFixture fx;
        fx.write(QStringLiteral("b.pas"), "one\r\n");
        ResultDocument doc = documentOf(fx.file("b.pas"), {"one"}, 1);
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        window.show();
        window.Memo2->moveCursor(QTextCursor::End);
        QTest::keyClick(window.Memo2, Qt::Key_Return);
        typeText(window.Memo2, QStringLiteral("two"));
        window.BitBtn1->click();
        QCOMPARE(fx.read(QStringLiteral("b.pas")), std::string("one\r\ntwo\r\n"));
    }

    void silentSaveLeavesTheWindowOpen() {
        DesktopFixture fx;
        fx.write(QStringLiteral("c.pas"), "x\r\n");
        ResultDocument doc = documentOf(fx.file("c.pas"), {"y"}, 1);
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        window.show();
        QVERIFY(window.BitBtn1Click(SaveSender::None).ok);
        QVERIFY(window.isVisible());
        QVERIFY(!window.Saved);
        QCOMPARE(fx.read(QStringLiteral("c.bak")), std::string("x\r\n"));
        window.hide();
    }

    void failedSaveIsShownAndTheWindowStays() {
        DesktopFixture fx;
        fx.write(QStringLiteral("d.pas"), "x\r\n");
        fx.files.failWrites = "d.pas";
        ResultDocument doc = documentOf(fx.file("d.pas"), {"y"}, 1);
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        window.show();
        window.BitBtn1->click();
        QCOMPARE(fx.dialogs.errors,
                 QStringList{QStringLiteral("Cannot create file ") + fx.file("d.pas")});
        QVERIFY(window.isVisible());
        QVERIFY(!window.Saved);
        QCOMPARE(fx.read(QStringLiteral("d.pas")), std::string("x\r\n")); // nothing half-written
        window.hide();
    }

    void insertedCommentsAreBoldItalicNavy() {
        DesktopFixture fx;
        ResultDocument doc = documentOf(fx.file("e.pas"), {"begin { Run }", "  X := 1;"});
        doc.editor.mark(0, 6, 7);
        doc.editor.markLines(1, 1);
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        const QTextBlock block = window.Memo2->document()->firstBlock();
        auto formatAt = [&](int column) {
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + column + 1); // the character before
            return cursor.charFormat();
        };
        for (int column : {6, 9, 12}) {
            const QTextCharFormat format = formatAt(column);
            QCOMPARE(format.fontWeight(), int(QFont::Bold));
            QVERIFY(format.fontItalic());
            QCOMPARE(format.foreground().color(), QColor(0, 0, 0x80));
        }
        for (int column : {0, 4}) {
            const QTextCharFormat format = formatAt(column);
            QVERIFY(format.fontWeight() != int(QFont::Bold));
            QVERIFY(!format.fontItalic());
        }
        QTextCursor second(block.next());
        second.setPosition(block.next().position() + 1);
        QVERIFY(!second.charFormat().fontItalic());
    }

    void marksLandOnTheRightCharactersOfUtf8Lines() {
        DesktopFixture fx;
        // "é" is two bytes; the mark starts at byte 8, which is character 7.
        ResultDocument doc = documentOf(fx.file("f.pas"), {"s := 'é' {c}"});
        doc.editor.mark(0, 10, 3);
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        QCOMPARE(window.encoding(), TextEncoding::Utf8);
        const QTextBlock block = window.Memo2->document()->firstBlock();
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + 10); // after "{"
        QVERIFY(cursor.charFormat().fontItalic());
        cursor.setPosition(block.position() + 9); // after the blank
        QVERIFY(!cursor.charFormat().fontItalic());
    }

    void textIsSavedByteTrue_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("encoding");
        QTest::newRow("utf-8") << QByteArray("s := '\xc3\xa9\xe2\x82\xac';")
                               << int(TextEncoding::Utf8);
        QTest::newRow("windows-1252")
            << QByteArray("s := '\xe9\x80\x81\x8d\x9d\xa0';") << int(TextEncoding::Windows1252);
        QTest::newRow("control bytes") << QByteArray("a\x01\x1f\x7f z") << int(TextEncoding::Utf8);
    }
    void textIsSavedByteTrue() {
        QFETCH(QByteArray, line);
        QFETCH(int, encoding);
        DesktopFixture fx;
        fx.write(QStringLiteral("g.pas"), "x\r\n");
        ResultDocument doc = documentOf(fx.file("g.pas"), {line.toStdString(), "end."}, 1);
        TFrmResult window(fx.services);
        window.LoadDocument(doc);
        QCOMPARE(int(window.encoding()), encoding);
        window.show();
        // An edit on another line: the untouched line keeps its bytes.
        window.Memo2->moveCursor(QTextCursor::End);
        typeText(window.Memo2, QStringLiteral(" "));
        window.BitBtn1->click();
        QCOMPARE(fx.read(QStringLiteral("g.pas")), line.toStdString() + "\r\nend. \r\n");
    }
};

QW_DESKTOP_TEST_MAIN(ResultWindowTest)
#include "ResultWindowTest.moc"
