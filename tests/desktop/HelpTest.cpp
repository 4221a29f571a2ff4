// The help: a real text with a working table of contents, opened from every
// Help button into one window that belongs to the window asking for it; and
// the real layer's message boxes.

#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

#include <algorithm>

#include "DesktopTest.h"
#include "app/dialogs/HelpWindow.h"
#include "app/dialogs/QtDialogLayer.h"
#include "app/dialogs/TFrmSetup.h"

using namespace qw;
using namespace qw::desktop;
using namespace qw::desktop::test;

namespace {

// The anchors the document's headings carry.
QStringList anchorsOf(const QTextDocument& document) {
    QStringList anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            anchors << it.fragment().charFormat().anchorNames();
    return anchors;
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QW_VERIFY_NO_LEAKED_WINDOWS(); }

    void everyLinkOfTheContentsLeadsToASection() {
        HelpWindow help;
        const QString text = HelpWindow::helpText();
        QVERIFY(text.contains(QStringLiteral("%FuncName")));
        QVERIFY(text.contains(QStringLiteral("quillwright comment")));
        const QStringList anchors = anchorsOf(*help.browser()->document());
        const QRegularExpression link(QStringLiteral("\\]\\(#([a-z0-9-]+)\\)"));
        int links = 0;
        for (auto match = link.globalMatch(text); match.hasNext(); ++links) {
            const QString target = match.next().captured(1);
            QVERIFY2(anchors.contains(target), qPrintable(target));
        }
        QVERIFY(links >= 10);
    }

    void anchorsFollowTheHeadings_data() {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("words") << "The main window"
                               << "the-main-window";
        QTest::newRow("punctuation") << "Settings, and files!"
                                     << "settings-and-files";
        QTest::newRow("hyphen") << "The command-line tool"
                                << "the-command-line-tool";
    }
    void anchorsFollowTheHeadings() {
        QFETCH(QString, heading);
        QFETCH(QString, anchor);
        QCOMPARE(headingAnchor(heading), anchor);
    }

    void theRealLayerOpensOneHelpWindowPerOwner() {
        QtDialogLayer dialogs;
        QWidget owner;
        owner.show();
        dialogs.showHelp(&owner);
        dialogs.showHelp(&owner); // raised again, not opened twice
        const auto windows = owner.findChildren<HelpWindow*>();
        QCOMPARE(windows.size(), qsizetype(1));
        QVERIFY(windows[0]->isVisible());
        QVERIFY(windows[0]->isWindow());
        // Centred over its owner, and Escape closes it.
        // (within the frame's few pixels, which the window manager adds later)
        const QPoint off = windows[0]->frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY2(off.manhattanLength() <= 8, qPrintable(QString::number(off.manhattanLength())));
        QVERIFY(QTest::qWaitForWindowActive(windows[0]));
        QTest::keyClick(windows[0]->browser(), Qt::Key_Escape);
        QTRY_VERIFY(owner.findChildren<HelpWindow*>().isEmpty()); // closed and deleted
        owner.hide();
    }

    // Buttons in the message's order, each with its access key.
    void messageBoxButtons_data() {
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("escape");
        QTest::newRow("abort, ignore") << QList<int>{int(Button::Abort), int(Button::Ignore)}
                                       << QStringList{"&Abort", "&Ignore"} << "&Abort";
        QTest::newRow("yes, no") << QList<int>{int(Button::Yes), int(Button::No)}
                                 << QStringList{"&Yes", "&No"} << "&No";
        QTest::newRow("abort, retry, ignore")
            << QList<int>{int(Button::Abort), int(Button::Retry), int(Button::Ignore)}
            << QStringList{"&Abort", "&Retry", "&Ignore"} << "&Abort";
        QTest::newRow("none given") << QList<int>{} << QStringList{"&OK"} << "&OK";
    }
    void messageBoxButtons() {
        QFETCH(QList<int>, buttons);
        QFETCH(QStringList, captions);
        QFETCH(QString, escape);
        Message message{MessageId::StringExceedsLine, DialogKind::Warning, "text", {}, {}, 0};
        for (int b : buttons)
            message.buttons.push_back(static_cast<Button>(b));
        const std::unique_ptr<QMessageBox> box = newMessageBox(nullptr, message);
        box->show();
        QList<QAbstractButton*> shown = box->buttons();
        std::sort(shown.begin(), shown.end(), [](QAbstractButton* a, QAbstractButton* b) {
            return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
        });
        QStringList order;
        for (QAbstractButton* b : shown)
            order << b->text();
        QCOMPARE(order, captions);
        QCOMPARE(box->defaultButton()->text(), captions.front());
        QCOMPARE(box->escapeButton()->text(), escape);
        box->hide();
    }

    void setupHelpButtonOpensTheHelp() {
        DesktopFixture fx;
        Settings settings;
        settings.schemaDirectory = fx.folder.path().toStdString();
        Schema schema;
        TFrmSetup dialog(fx.services, settings, schema, HotKeyControls::Hidden);
        dialog.BtnHelp->click();
        QCOMPARE(fx.dialogs.helpShown, 1);
    }
};

QW_DESKTOP_TEST_MAIN(HelpTest)
#include "HelpTest.moc"
