// The one place where the program starts other processes.

#include "app/dialogs/RunAndWait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace qw::desktop {
namespace {

// A process that outlives the wait must not be killed when its QProcess goes:
// it is left on the heap and deletes itself when the program ends.
QProcess* newProcess(const Command& command, ShowWindow show) {
    auto* process = new QProcess;
    process->setProgram(command.program);
    process->setArguments(command.arguments);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_WIN
    process->setCreateProcessArgumentsModifier([show](QProcess::CreateProcessArguments* args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
        args->startupInfo->wShowWindow = static_cast<WORD>(show);
    });
#else
    (void)show;
#endif
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return process;
}

class RealLauncher final : public ProgramLauncher {
public:
    bool runAndWait(const Command& command, ShowWindow show, int timeoutMs) override {
        return RunAndWait(command, show, timeoutMs);
    }
    bool start(const Command& command, ShowWindow show) override {
        return RunAndWait(command, show, 0);
    }
};

// Eats the user's input while it is installed.
class InputSink final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        default:
            return false;
        }
    }
};

// The input that queued up while the program did not respond.
void dropQueuedInput() {
    if (!QCoreApplication::instance())
        return;
    InputSink sink;
    QCoreApplication::instance()->installEventFilter(&sink);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&sink);
}

} // namespace

bool RunAndWait(const Command& command, ShowWindow show, int timeoutMs) {
    if (command.empty())
        return false;
    QProcess* process = newProcess(command, show);
    process->start();
    if (!process->waitForStarted(-1)) {
        delete process;
        return false;
    }
    if (timeoutMs != 0) {
        if (process->waitForFinished(timeoutMs < 0 ? -1 : timeoutMs))
            delete process;
        dropQueuedInput();
    }
    return true;
}

ProgramLauncher& processLauncher() {
    static RealLauncher launcher;
    return launcher;
}

} // namespace qw::desktop
