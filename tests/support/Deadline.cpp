#include "Deadline.h"

#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

std::optional<std::string> Deadline::Run(unsigned seconds, const std::function<std::string()>& work) {
    int fds[2];
    if (pipe(fds) != 0) return std::nullopt;
    const pid_t pid = fork();
    if (pid == 0) {
        // A group of its own, so that a program the work starts goes too.
        setpgid(0, 0);
        close(fds[0]);
        const std::string text = work();
        const bool sent = write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        _exit(sent ? 0 : 3);
    }
    close(fds[1]);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    std::string text;
    bool finished = false;
    while (pid > 0) {
        const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        pollfd reader{fds[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&reader, 1, static_cast<int>(left.count())) <= 0) break;
        char buffer[512];
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0) {
            finished = got == 0;
            break;
        }
        text.append(buffer, static_cast<size_t>(got));
    }
    close(fds[0]);
    if (pid < 0) return std::nullopt;
    if (!finished) kill(-pid, SIGKILL);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !finished || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return text;
}
