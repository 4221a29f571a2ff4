#include "app/dialogs/EditorLaunch.h"

#include <QDir>

#include "app/dialogs/DialogLayer.h"
#include "app/dialogs/FileNames.h"
#include "app/dialogs/ProgramLauncher.h"

namespace qw::desktop {
namespace {

// Nothing is started silently: without an editor the Edit buttons would
// seem to do nothing.
std::string failureText(const Command& command, const QString& file) {
    const QString shown = QDir::toNativeSeparators(file);
    if (command.empty())
        return toNativeName(QStringLiteral("No text editor was found to open\r\n") + shown +
                            QStringLiteral("\r\n\r\nChoose a default application for text files, "
                                           "or name your editor in the environment variable "
                                           "VISUAL or EDITOR."));
    return toNativeName(QStringLiteral("The text editor \"") + command.program +
                        QStringLiteral("\" could not be started to open\r\n") + shown);
}

} // namespace

bool openInTextEditor(const WindowServices& services, QWidget* parent, const QString& file,
                      EditorWait wait) {
    const Command command = services.editor.command(file, wait);
    const bool started =
        !command.empty() && (wait == EditorWait::UntilClosed
                                 ? services.launcher.runAndWait(command, ShowWindow::Normal, -1)
                                 : services.launcher.start(command, ShowWindow::Maximized));
    if (!started)
        services.dialogs.ask(parent, {MessageId::EditorNotStarted,
                                      DialogKind::Error,
                                      failureText(command, file),
                                      {Button::Ok},
                                      {},
                                      0});
    return started;
}

} // namespace qw::desktop
