// Runs the installed trimbench program's batch on a rows file, as an
// operator would, with its output discarded; the benchmarks time it.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench/support/SimulatedBench.h"
#include "services/PageServices.h"
#include "tests/support/SpawnProgram.h"

namespace tb::bench {

// True when `trimbench batch ROWS --yes [EXTRA...]` exits 0; a failure
// says its exit status on standard error.
inline bool RunTrimbenchBatch(const std::string& rows, std::vector<std::string> extra = {}) {
    const std::string program =
        (std::filesystem::path(services::ProgramFolder()) / "trimbench").string();
    std::vector<std::string> args{program, "batch", rows, "--yes"};
    args.insert(args.end(), extra.begin(), extra.end());
    const pid_t pid = testsupport::SpawnProgram(std::move(args), {.emptyInput = true});
    int status = 0;
    const bool done =
        pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!done) {
        std::fprintf(stderr, "trimbench batch %s: exit status %d\n", rows.c_str(),
                     WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    return done;
}

// Starts trimbench-sim with the given devices and points trimbench's
// settings at a journal in the simulator's folder. The folder, or nullopt
// (said on standard error) when the simulator did not start.
inline std::optional<std::filesystem::path> StartBatchBench(const std::vector<std::string>& devices,
                                                           Simulator& sim) {
    sim = StartSimulator(devices);
    if (!sim.Started()) {
        std::fprintf(stderr, "trimbench-sim could not be started\n");
        StopSimulator(sim);
        return std::nullopt;
    }
    const auto folder = std::filesystem::path(sim.mapPath).parent_path();
    ::setenv("TRIMBENCH_SETTINGS_FILE", (folder / "settings.ini").c_str(), 1);
    std::ofstream(folder / "settings.ini") << "[Journal]\nFile=" << (folder / "journal.sqlite3").string() << '\n';
    return folder;
}

}  // namespace tb::bench
