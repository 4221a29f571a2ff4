// Quillo, the desktop program: it takes no command-line arguments.

#include <QApplication>

#include "app/desktop/QuilloProgram.h"
#include "app/dialogs/FormStyle.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillo"));
    QApplication::setFont(qw::desktop::formFont());
    return qw::desktop::runQuillo();
}
