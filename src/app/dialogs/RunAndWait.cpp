// The one place where the program starts other processes.

#include "app/dialogs/RunAndWait.h"

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
    void runAndWait(const Command& command, ShowWindow show, int timeoutMs) override {
        RunAndWait(command, show, timeoutMs);
    }
    void start(const Command& command, ShowWindow show) override { RunAndWait(command, show, 0); }
};

} // namespace

void RunAndWait(const Command& command, ShowWindow show, int timeoutMs) {
    if (command.empty())
        return;
    QProcess* process = newProcess(command, show);
    process->start();
    if (!process->waitForStarted(-1)) {
        delete process; // the failure is dropped: the caller learns nothing
        return;
    }
    if (timeoutMs != 0 && process->waitForFinished(timeoutMs < 0 ? -1 : timeoutMs))
        delete process;
}

ProgramLauncher& processLauncher() {
    static RealLauncher launcher;
    return launcher;
}

} // namespace qw::desktop
