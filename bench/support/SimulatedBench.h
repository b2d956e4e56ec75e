// What the end-to-end benchmarks share: trimbench-sim started beside the
// benchmark with its own device map, medians of timed runs, the report
// line, and the wire figures of the base-unit link that their protocol
// floors are built from.
//
// The floor of an operation is what it cannot do without: the waits the
// client and the link library make by design, plus the time the bytes that
// are not hidden behind a wait take on the wire.
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

#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "tests/support/SimProgram.h"

namespace tb::bench {

inline constexpr double kBaseUnitBaud = 38400;
inline constexpr double kCableBaud = 2400;
inline constexpr int kBitsPerByte = 10;

inline double WireMs(double bytes, double baud) { return bytes * kBitsPerByte * 1000.0 / baud; }

// Frames of the base-unit exchanges, in bytes on the wire.
inline constexpr double kSerialQuery = 12, kSerialAnswer = 44;
inline constexpr double kWriteFrame = 90, kWriteAnswer = 30;
inline constexpr double kReadFrame = 19, kReadAnswer = 101;
// The link library's own pauses: 10 ms before each port open, 20 ms after
// each reply header byte but the last (three for a kind-'2' frame and for
// the serial answer), and in frame reception 1 ms before each of the
// header's four reads and the data read.
inline constexpr double kOpenPauseMs = 10, kHeaderPausesMs = 60, kReceptionReadPausesMs = 5;

// One exchange over the link: the open pause, the request on the wire, then
// the reply. The reply's bytes keep arriving while the receiver pauses
// between header bytes, so the reply costs its first byte plus the pauses,
// or its whole wire time when that is longer; counting both would put the
// floor above what the line allows. The simulated unit answers as soon as a
// request is in, so no answer time of its own is added.
inline double ExchangeFloorMs(double requestBytes, double answerBytes, double readPausesMs) {
    const double pausedReply = WireMs(1, kBaseUnitBaud) + kHeaderPausesMs + readPausesMs;
    return kOpenPauseMs + WireMs(requestBytes, kBaseUnitBaud) +
           std::max(pausedReply, WireMs(answerBytes, kBaseUnitBaud));
}
inline double SerialQueryFloorMs() { return ExchangeFloorMs(kSerialQuery, kSerialAnswer, 0); }
inline double BlockReadFloorMs() {
    return ExchangeFloorMs(kReadFrame, kReadAnswer, kReceptionReadPausesMs);
}
inline double BlockWriteFloorMs() {
    return ExchangeFloorMs(kWriteFrame, kWriteAnswer, kReceptionReadPausesMs);
}

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
