// The system's side of the batch's worker processes (BatchWorker.cpp,
// BatchScheduler.cpp): starting one with pipes on its standard input and
// output, waiting for their output, and the worker's own streams. One
// source per operating system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tb::cli {

// A started process: the system's id of it (a pid, or a process handle on
// Windows), the descriptor writing to its standard input and the one
// reading its standard output. Its error stream is ours.
struct SpawnedProcess {
    std::intptr_t process = -1;
    int input = -1;
    int output = -1;
};

// The trimbench program beside this one.
std::string OwnProgramPath();

// Starts `program` with `arguments` (without the program's name), in a
// process group of its own so that Ctrl-C on the console reaches only us,
// with our environment in which `entry` ("NAME=value") replaces any entry
// of that name. Nothing, with `error` set, when it cannot be started.
std::optional<SpawnedProcess> SpawnWithPipes(const std::string& program,
                                             const std::vector<std::string>& arguments,
                                             const std::string& entry, std::string& error);

// Waits until the process has ended and lets go of it.
void AwaitProcess(std::intptr_t process);

// Blocks until one of `fds` can be read (data, or the end of its stream);
// true for each one that can.
std::vector<bool> WaitReadable(const std::vector<int>& fds);

// In a worker: the descriptor its finished rows go back on (the standard
// output it was started with); from now on its standard output goes to
// the error stream, so that nothing else reaches the batch.
int TakeRowStream();

// While one lives, a write to a worker that has gone fails instead of
// ending the batch.
class BrokenPipesIgnored {
  public:
    BrokenPipesIgnored();
    ~BrokenPipesIgnored();
    BrokenPipesIgnored(const BrokenPipesIgnored&) = delete;
    BrokenPipesIgnored& operator=(const BrokenPipesIgnored&) = delete;

  private:
    void (*previous_)(int) = nullptr;
};

}  // namespace tb::cli
