// The progress window: its texts before and after the first line, the bar by
// bytes, Abort and Escape, and that only its creator can close it.

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "DesktopTest.h"
#include "app/dialogs/TFrmProgress.h"

using namespace qw;
using namespace qw::desktop;
using namespace qw::desktop::test;

class ProgressWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QW_VERIFY_NO_LEAKED_WINDOWS(); }

    void creationClearsTheCountersAndTheAbortFlag() {
        Progress progress;
        progress.commentCount = 5;
        progress.lineCount = 7;
        progress.bytesDone = 9;
        progress.abortRequested = true;
        progress.totalBytes = 40;
        TFrmProgress window(progress);
        QCOMPARE(window.CommentCount(), 0);
        QCOMPARE(window.LineCount(), 0);
        QCOMPARE(window.BytesDone(), 0);
        QCOMPARE(window.TotalBytes(), 40);
        QVERIFY(!progress.abortRequested);
        QCOMPARE(window.windowTitle(), QStringLiteral("Progress"));
        QCOMPARE(window.BtnAbort->text(), QStringLiteral("&Abort"));
    }

    void textsBeforeAndAfterTheFirstLine() {
        Progress progress;
        progress.totalBytes = 100;
        TFrmProgress window(progress);
        QCOMPARE(window.Label1->text(), QStringLiteral("-"));
        QCOMPARE(window.Label2->text(), QStringLiteral("0 comments inserted."));
        progress.lineProcessed(8);
        window.LineProcessed();
        QCOMPARE(window.Label1->text(), QStringLiteral("1 lines processed."));
        QCOMPARE(window.Label2->text(), QStringLiteral("0 comments."));
        progress.commentCount = 1;
        progress.lineProcessed(0);
        window.LineProcessed();
        QCOMPARE(window.Label1->text(), QStringLiteral("2 lines processed."));
        QCOMPARE(window.Label2->text(), QStringLiteral("1 comments."));
    }

    void barMeasuresBytes_data() {
        QTest::addColumn<int>("totalBytes");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<int>("bar");
        QTest::newRow("CR LF file, complete") << 12 << QList<int>{4, 4} << 100;
        QTest::newRow("half way") << 20 << QList<int>{8} << 50;
        QTest::newRow("truncated") << 30 << QList<int>{8} << 33;
        QTest::newRow("LF file counts over its size") << 10 << QList<int>{4, 4} << 100;
        QTest::newRow("empty file: size 1") << 1 << QList<int>{0} << 100;
        QTest::newRow("no final break: over 100") << 9 << QList<int>{4, 5} << 100;
    }
    void barMeasuresBytes() {
        QFETCH(int, totalBytes);
        QFETCH(QList<int>, lines);
        QFETCH(int, bar);
        Progress progress;
        progress.totalBytes = totalBytes;
        TFrmProgress window(progress);
        for (int length : lines) {
            progress.lineProcessed(length);
            window.LineProcessed();
        }
        QCOMPARE(window.ProgressBar1->value(), bar);
    }

    void abortAndEscapeSetTheFlagAndKeepTheWindow() {
        for (const bool escape : {false, true}) {
            Progress progress;
            TFrmProgress window(progress);
            window.show();
            for (int twice = 0; twice < 2; ++twice) {
                if (escape)
                    QTest::keyClick(&window, Qt::Key_Escape);
                else
                    window.BtnAbort->click();
                QVERIFY(progress.abortRequested);
                QVERIFY(window.isVisible());
            }
            window.hide();
        }
    }

    void abortReachesThePassThroughPendingEvents() {
        Progress progress;
        TFrmProgress window(progress);
        window.show();
        QMetaObject::invokeMethod(window.BtnAbort, "click", Qt::QueuedConnection);
        QVERIFY(!progress.abortRequested);
        progress.lineProcessed(3);
        window.LineProcessed(); // handles the click waiting in the queue
        QVERIFY(progress.abortRequested);
        window.hide();
    }

    void aCloseRequestIsIgnored() {
        Progress progress;
        TFrmProgress window(progress);
        window.show();
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QVERIFY(!(window.windowFlags() & Qt::WindowCloseButtonHint));
        window.hide();
    }

    void layout() {
        Progress progress;
        TFrmProgress window(progress);
        QCOMPARE(window.size(), QSize(178, 126));
        QCOMPARE(window.BtnAbort->geometry(), QRect(51, 96, 75, 25));
        QCOMPARE(window.ProgressBar1->geometry(), QRect(8, 56, 145, 17));
        QCOMPARE(window.ProgressBar1->maximum(), 100);
        QVERIFY(window.BtnAbort->isDefault());
    }
};

QW_DESKTOP_TEST_MAIN(ProgressWindowTest)
#include "ProgressWindowTest.moc"
