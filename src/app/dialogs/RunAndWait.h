#pragma once

#include "app/dialogs/ProgramLauncher.h"

namespace qw::desktop {

// Starts `command` as a new process with the caller's environment and current
// folder and waits for it as ProgramLauncher::runAndWait says. The user
// interface does not respond while it waits. A process still running when the
// time-out passes keeps running.
void RunAndWait(const Command& command, ShowWindow show, int timeoutMs);

} // namespace qw::desktop
