#pragma once

#include <functional>
#include <string>

namespace qw::tools {

// The end of one piece of work run apart from the caller, so that a crash or
// a hang in it is seen instead of taking the caller down.
struct IsolatedResult {
    enum class End { Finished, Crashed, TimedOut };
    End end = End::Finished;
    int signal = 0;     // the signal that ended a crashed run
    std::string output; // what the work returned
};

// Runs `work` in a child process with a time limit; its returned text comes
// back through a pipe.
IsolatedResult runIsolated(const std::function<std::string()>& work, unsigned seconds);

} // namespace qw::tools
