#include "platform/store/ToolRunner.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string ReadAll(int fd) {
    std::string text;
    char buffer[1024];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

std::string Describe(int status, const std::string& output) {
    std::string text = WIFEXITED(status) ? "exited with status " + std::to_string(WEXITSTATUS(status))
                                         : "ended by signal " + std::to_string(WTERMSIG(status));
    std::string trimmed = output.substr(0, 500);
    while (!trimmed.empty() && (trimmed.back() == '\n' || trimmed.back() == ' '))
        trimmed.pop_back();
    return trimmed.empty() ? text : text + ": " + trimmed;
}

} // namespace

std::string ToolRunner::Find(const std::string& tool) {
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        std::string candidate = (dir.empty() ? "." : dir) + "/" + tool;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

ToolRunner::Outcome ToolRunner::Run(const std::string& tool, const std::vector<std::string>& args) {
    Outcome outcome;
    const std::string program = Find(tool);
    if (program.empty()) return outcome;
    outcome.found = true;

    std::vector<std::string> owned{tool};
    owned.insert(owned.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : owned)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        outcome.problem = tool + ": " + std::strerror(errno);
        return outcome;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    pid_t pid = 0;
    int rc = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
        ::close(pipeFds[0]);
        outcome.problem = program + ": " + std::strerror(rc);
        return outcome;
    }
    std::string output = ReadAll(pipeFds[0]);
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    outcome.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!outcome.succeeded) outcome.problem = program + " " + Describe(status, output);
    return outcome;
}
