// Runs a shell command and keeps what it printed on standard output and how
// it ended, for the tests that drive the programs as a technician would.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace tb::testsupport {

struct CommandResult {
    std::string out;
    int exit = -1;  // the exit status, or -1 when the command did not exit normally
};

inline CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace tb::testsupport
