// Quillo, the desktop program: it takes no command-line arguments.

#include <QApplication>

#include "app/desktop/QuilloIcon.h"
#include "app/desktop/QuilloProgram.h"
#include "app/dialogs/FormStyle.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillo"));
    QApplication::setFont(qw::desktop::formFont());
    QApplication::setWindowIcon(qw::desktop::quilloIcon());
    return qw::desktop::runQuillo();
}
