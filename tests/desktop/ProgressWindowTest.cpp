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

namespace {

// Shows the counts and handles events at every line, as the window does when
// its lines come slower than its pace.
void atEveryLine(TFrmProgress& window) {
    window.setEventPace(std::chrono::milliseconds(0), [] { return std::int64_t{0}; });
}

} // namespace

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
        atEveryLine(window);
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
        atEveryLine(window);
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
        atEveryLine(window);
        window.show();
        QMetaObject::invokeMethod(window.BtnAbort, "click", Qt::QueuedConnection);
        QVERIFY(!progress.abortRequested);
        progress.lineProcessed(3);
        window.LineProcessed(); // handles the click waiting in the queue
        QVERIFY(progress.abortRequested);
        window.hide();
    }

    // The counts are shown, and pending events (a click on Abort among them)
    // handled, at the first line and then whenever the pace's interval has
    // passed: never later than that after a click.
    void eventsArePacedByTime_data() {
        QTest::addColumn<QList<int>>("lineTimes");   // ms, one per line
        QTest::addColumn<QList<int>>("shownCounts"); // the line count shown after each
        QTest::newRow("first line at once") << QList<int>{0} << QList<int>{1};
        QTest::newRow("lines within the interval wait")
            << QList<int>{0, 5, 19} << QList<int>{1, 1, 1};
        QTest::newRow("the interval passed")
            << QList<int>{0, 5, 20, 25, 39, 40} << QList<int>{1, 1, 3, 3, 3, 6};
        QTest::newRow("slow lines, every one") << QList<int>{0, 30, 60} << QList<int>{1, 2, 3};
    }
    void eventsArePacedByTime() {
        QFETCH(QList<int>, lineTimes);
        QFETCH(QList<int>, shownCounts);
        Progress progress;
        TFrmProgress window(progress);
        std::int64_t now = 0;
        window.setEventPace(std::chrono::milliseconds(20), [&now] { return now; });
        window.show();
        for (int i = 0; i < lineTimes.size(); ++i) {
            now = lineTimes[i];
            QMetaObject::invokeMethod(window.BtnAbort, "click", Qt::QueuedConnection);
            progress.lineProcessed(4);
            window.LineProcessed();
            QCOMPARE(window.Label1->text(), QString::number(shownCounts[i]) + " lines processed.");
            // The click is handled exactly when the counts are shown.
            const bool shownNow = i == 0 || shownCounts[i] != shownCounts[i - 1];
            QCOMPARE(progress.abortRequested, shownNow);
            progress.abortRequested = false;
        }
        window.hide();
        QCoreApplication::processEvents(); // the clicks still queued
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
