#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace qw::desktop {

// A program and its arguments; every argument reaches the program as one word,
// blanks and all.
struct Command {
    QString program;
    QStringList arguments;
    bool empty() const { return program.isEmpty(); }
};

// How the started program's window first appears (the Windows show commands;
// other platforms leave it to the program).
enum class ShowWindow : std::uint16_t { Normal = 1, Maximized = 3 };

// Starts other programs: the text editor for a schema (waiting until it is
// closed) and for a file of the project report (without waiting). Tests
// record the commands instead of starting anything.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts the command and waits until it ends or `timeoutMs` milliseconds
    // have passed (-1: no limit, 0: no wait). False, at once, when the
    // program could not be started (an empty command included).
    virtual bool runAndWait(const Command& command, ShowWindow show, int timeoutMs) = 0;
    // Starts the command without waiting; false when it could not be started.
    virtual bool start(const Command& command, ShowWindow show) = 0;
};

// The launcher of the running program.
ProgramLauncher& processLauncher();

} // namespace qw::desktop
