#include "app/dialogs/FormStyle.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace qw::desktop {

QFont formFont() {
    QFont font(QStringLiteral("Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont editorFont() {
    QFont font(QStringLiteral("Monospace"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

void fixClientSize(QWidget& window, int width, int height) {
    window.setFixedSize(width, height);
    window.setWindowFlag(Qt::WindowMaximizeButtonHint, false);
}

namespace {

class MinimizeUndo final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window && event->type() == QEvent::WindowStateChange && window->isMinimized())
            QTimer::singleShot(0, window, [window] {
                window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
                window->raise();
                window->activateWindow();
            });
        return false;
    }
};

} // namespace

void titleBarWithoutButtons(QWidget& window) {
    Qt::WindowFlags flags = window.windowFlags();
    flags &= ~(Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint |
               Qt::WindowContextHelpButtonHint);
    window.setWindowFlags(flags | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window.installEventFilter(new MinimizeUndo(&window));
}

void centerOnScreen(QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace qw::desktop
