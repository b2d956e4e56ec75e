// Starting a program of the build as a child process, for the tests and
// benchmarks that run trimbench or trimbench-sim the way an operator does.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace tb::testsupport {

struct SpawnOptions {
    // Where the child's standard output goes: this descriptor (closed in the
    // child), or /dev/null when -1.
    int outputFd = -1;
    // The read end of `outputFd`'s pipe, closed in the child; -1: none.
    int closeInChild = -1;
    // Standard input reads /dev/null instead of the caller's.
    bool emptyInput = false;
    // The child leads a process group of its own, as a shell's foreground job.
    bool ownProcessGroup = false;
};

// Starts args[0] with `args` as its argument list; the child's pid, or -1.
inline pid_t SpawnProgram(std::vector<std::string> args, const SpawnOptions& options = {}) {
    if (args.empty()) return -1;
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (options.outputFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, options.outputFd, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (options.closeInChild >= 0)
        posix_spawn_file_actions_addclose(&actions, options.closeInChild);
    if (options.emptyInput)
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (options.ownProcessGroup) {
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, 0);
    }
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ) != 0) pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

}  // namespace tb::testsupport
