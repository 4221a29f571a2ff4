#pragma once

#include "app/dialogs/ProgramLauncher.h"

namespace qw::desktop {

// Starts `command` as a new process with the caller's environment and current
// folder and waits for it as ProgramLauncher::runAndWait says; false when it
// could not be started. The user interface does not respond while it waits,
// and the keys and clicks the user gave it meanwhile are dropped afterwards:
// they were meant for the other program. A process still running when the
// time-out passes keeps running.
bool RunAndWait(const Command& command, ShowWindow show, int timeoutMs);

} // namespace qw::desktop
