#include "app/dialogs/FormStyle.h"

#include <QGuiApplication>
#include <QScreen>
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

void centerOnScreen(QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace qw::desktop
