// POSIX processes: fork, a pipe and an alarm.
#include "IsolatedRun.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace qw::tools {

IsolatedResult runIsolated(const std::function<std::string()>& work, unsigned seconds) {
    IsolatedResult result;
    int fds[2];
    if (pipe(fds) != 0) {
        result.output = work(); // no pipe: run in place
        return result;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        alarm(seconds);
        const std::string out = work();
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t n = write(fds[1], out.data() + done, out.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        _exit(0);
    }
    close(fds[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        result.output.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
        result.end =
            result.signal == SIGALRM ? IsolatedResult::End::TimedOut : IsolatedResult::End::Crashed;
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result.end = IsolatedResult::End::Crashed;
    }
    return result;
}

} // namespace qw::tools
