// What the end-to-end benchmarks share: trimbench-sim started beside the
// benchmark with its own device map, medians of timed runs, the report
// line, and the base-unit link's floors (BaseUnitFloor.h).
#pragma once

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/BaseUnitFloor.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "tests/support/SimProgram.h"

namespace tb::bench {

// Answers every box at once: `answer` to questions, OK to the rest.
class AnsweringBoxes : public services::MessageBoxBackend {
  public:
    explicit AnsweringBoxes(services::MsgAnswer answer) : answer_(answer) {}
    services::MsgAnswer Show(const services::MessageBoxRequest& request) override {
        return request.buttons == services::MsgButtons::YesNo ? answer_ : services::MsgAnswer::Ok;
    }

  private:
    services::MsgAnswer answer_;
};

// trimbench-sim beside the benchmark, its devices in a map of its own that
// TRIMBENCH_DEVICE_MAP then names.
struct Simulator {
    std::unique_ptr<testsupport::SimProgram> program;
    std::string mapPath;
    bool Started() const { return program && program->Started(); }
};

// trimbench-sim from the program folder with `options`; Started() false on failure.
inline Simulator StartSimulator(const std::vector<std::string>& options) {
    char temp[] = "/tmp/tb-bench-XXXXXX";
    const char* made = ::mkdtemp(temp);
    if (!made) return {};
    Simulator sim;
    sim.mapPath = std::string(made) + "/devices.map";
    const auto program = std::filesystem::path(services::ProgramFolder()) / "trimbench-sim";
    sim.program = std::make_unique<testsupport::SimProgram>(program.string(), sim.mapPath, options);
    ::setenv("TRIMBENCH_DEVICE_MAP", sim.mapPath.c_str(), 1);
    return sim;
}

inline void StopSimulator(const Simulator& sim) {
    if (sim.program) sim.program->Stop();
    if (!sim.mapPath.empty()) {
        std::filesystem::remove_all(std::filesystem::path(sim.mapPath).parent_path());
    }
}

// The median duration of `runs` runs; failed runs are counted.
inline double MedianMs(int runs, const std::function<bool()>& operation, int& failures) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (!operation()) ++failures;
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void Report(const char* name, double medianMs, double floorMs, int runs, int failures) {
    std::printf("%-28s median %8.1f ms  floor %8.1f ms  ratio %.3f  (%d runs, %d failed)\n", name,
                medianMs, floorMs, medianMs / floorMs, runs, failures);
}

}  // namespace tb::bench
