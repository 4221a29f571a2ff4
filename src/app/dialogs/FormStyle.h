#pragma once

#include <QFont>

class QWidget;

namespace qw::desktop {

// The look the windows share: layouts are given in pixels at 96 dots per
// inch, which Qt scales on other screens.

// A sans-serif 8 point, the windows' font.
QFont formFont();
// A monospace 8 point, the editors' font.
QFont editorFont();

// Gives a window its font and a fixed client size, without maximize button.
void fixClientSize(QWidget& window, int width, int height);
// A title bar without any button: the window hints ask for none, and since
// some window managers (openbox) draw the buttons whatever the hints say, a
// minimising is taken back at once, so that a modal dialog cannot hide the
// program behind it.
void titleBarWithoutButtons(QWidget& window);
// Places a window in the middle of the screen it is (or will be) shown on.
void centerOnScreen(QWidget& window);

} // namespace qw::desktop
