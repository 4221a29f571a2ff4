// The help: a real text with a working table of contents, opened from every
// Help button into one window that belongs to the window asking for it.

#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

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
        owner.hide();
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
