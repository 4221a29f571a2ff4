// The IDE window as the parent of the library's windows. The offscreen
// platform takes no window of another program, so an ordinary window stands
// in for the IDE's here.

#include <QDialog>
#include <QWindow>
#include <QtTest>

#include "plugin/TransientParent.h"

using qw::plugin::TransientParent;

class TransientParentTest : public QObject {
    Q_OBJECT
private slots:
    void windowsWithoutParentBelongToTheIdeWindow() {
        TransientParent parent(std::make_unique<QWindow>());
        QDialog first;
        QDialog second;
        first.show();
        second.show();
        QCOMPARE(first.windowHandle()->transientParent(), parent.ideWindow());
        QCOMPARE(second.windowHandle()->transientParent(), parent.ideWindow());
    }

    void windowsWithAParentOrATransientParentKeepThem() {
        TransientParent parent(std::make_unique<QWindow>());
        QDialog owner;
        owner.show();
        QDialog child(&owner);
        child.show();
        QCOMPARE(child.windowHandle()->transientParent(), owner.windowHandle());

        QWindow other;
        QDialog placed;
        placed.winId(); // the native window exists before it is shown
        placed.windowHandle()->setTransientParent(&other);
        placed.show();
        QCOMPARE(placed.windowHandle()->transientParent(), &other);
    }

    void windowsShownAfterTheLibraryLetGoAreLeftAlone() {
        auto parent = std::make_unique<TransientParent>(std::make_unique<QWindow>());
        parent.reset();
        QDialog later;
        later.show();
        QCOMPARE(later.windowHandle()->transientParent(), nullptr);
    }

    void handleZeroOrAPlatformWithoutForeignWindowsGivesNoParent() {
        QVERIFY(!TransientParent::forHandle(0));
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QVERIFY(!TransientParent::forHandle(0x5150));
    }
};

QTEST_MAIN(TransientParentTest)
#include "TransientParentTest.moc"
