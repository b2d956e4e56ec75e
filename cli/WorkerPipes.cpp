#include "cli/WorkerPipes.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "services/PageServices.h"

extern char** environ;

namespace tb::cli {

std::string OwnProgramPath() { return services::ProgramFolder() + "/trimbench"; }

std::optional<SpawnedProcess> SpawnWithPipes(const std::string& program,
                                             const std::vector<std::string>& arguments,
                                             const std::string& entry, std::string& error) {
    int toChild[2], fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        close(toChild[0]);
        close(toChild[1]);
        return std::nullopt;
    }
    std::vector<std::string> args{program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::string replacement = entry;
    const std::string prefix = replacement.substr(0, replacement.find('=') + 1);
    std::vector<char*> envp;
    for (char** variable = environ; *variable; ++variable)
        if (std::strncmp(*variable, prefix.c_str(), prefix.size()) != 0) envp.push_back(*variable);
    envp.push_back(replacement.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = -1;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    if (spawned != 0) {
        error = program + ": " + std::strerror(spawned);
        close(toChild[1]);
        close(fromChild[0]);
        return std::nullopt;
    }
    return SpawnedProcess{pid, toChild[1], fromChild[0]};
}

void AwaitProcess(std::intptr_t process) {
    int status = 0;
    while (waitpid(static_cast<pid_t>(process), &status, 0) < 0 && errno == EINTR) {
    }
}

std::vector<bool> WaitReadable(const std::vector<int>& fds) {
    std::vector<pollfd> entries;
    for (int fd : fds) entries.push_back({fd, POLLIN, 0});
    std::vector<bool> readable(fds.size(), false);
    if (poll(entries.data(), entries.size(), -1) <= 0) return readable;
    for (std::size_t i = 0; i < entries.size(); ++i) readable[i] = entries[i].revents != 0;
    return readable;
}

int TakeRowStream() {
    const int rows = dup(STDOUT_FILENO);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    return rows;
}

BrokenPipesIgnored::BrokenPipesIgnored() : previous_(signal(SIGPIPE, SIG_IGN)) {}

BrokenPipesIgnored::~BrokenPipesIgnored() { signal(SIGPIPE, previous_); }

}  // namespace tb::cli
