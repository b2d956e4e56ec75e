// trimbench-sim as a child process, for tests and benchmarks that meet the
// device bench the way the program does.
#pragma once

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/SpawnProgram.h"

namespace tb::testsupport {

class SimProgram {
  public:
    // Starts `program --map map --quiet args...` with its standard output
    // discarded and waits for the device map to appear, as long as the
    // program runs (a loaded machine may take its time to start it).
    SimProgram(const std::string& program, std::string map, std::vector<std::string> args)
        : map_(std::move(map)) {
        args.insert(args.begin(), {program, "--map", map_, "--quiet"});
        pid_ = SpawnProgram(std::move(args));
        while (pid_ > 0 && !MapExists() && StillRunning())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~SimProgram() { Stop(); }
    SimProgram(const SimProgram&) = delete;
    SimProgram& operator=(const SimProgram&) = delete;

    // True once the program runs and has written its device map.
    bool Started() const { return pid_ > 0 && MapExists(); }
    const std::string& Map() const { return map_; }
    bool MapExists() const {
        struct stat info {};
        return stat(map_.c_str(), &info) == 0;
    }

    // Ends the program with SIGTERM; returns its wait status (-1 if it was
    // not running).
    int Stop() {
        if (pid_ <= 0) return -1;
        kill(pid_, SIGTERM);
        int status = -1;
        if (waitpid(pid_, &status, 0) != pid_) status = -1;
        pid_ = -1;
        return status;
    }

  private:
    // False once the program has ended (it is reaped then: Stop() has
    // nothing left to end).
    bool StillRunning() {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == 0) return true;
        pid_ = -1;
        return false;
    }

    std::string map_;
    pid_t pid_ = -1;
};

}  // namespace tb::testsupport
