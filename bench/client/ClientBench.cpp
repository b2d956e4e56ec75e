// End-to-end timings of the command client against trimbench-sim, paced
// at the emulated lines' baud rates, as ratios to the protocol's floor.
//
//   SendCorrection mode 0: discovery, EIADJ write, 200 ms, EIADJ read-back
//   model-890 write (mode 4): wake, four "V" frames, 1500 ms, wake, "Y" read
//
// The floor is what the exchange cannot do without: the waits the client
// and the link library make by design, plus the time the bytes that are
// not hidden behind a wait take on the wire.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "client/CorrectionOperations.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kBaseUnitBaud = 38400;
constexpr double kCableBaud = 2400;
constexpr int kBitsPerByte = 10;

double WireMs(double bytes, double baud) { return bytes * kBitsPerByte * 1000.0 / baud; }

// Frames of one SendCorrection mode 0, in bytes on the wire.
constexpr double kSerialQuery = 12, kSerialAnswer = 44;
constexpr double kWriteFrame = 90, kWriteAnswer = 30;
constexpr double kReadFrame = 19, kReadAnswer = 101;
// The link library's own pauses: 10 ms before each port open, 20 ms after
// each header byte but the last (three for a kind-'2' frame).
constexpr double kOpenPauseMs = 10, kHeaderPausesMs = 60;

double SendCorrectionFloorMs() {
    const double waits = 200 + 3 * (kOpenPauseMs + kHeaderPausesMs);
    const double bytes =
        kSerialQuery + kSerialAnswer + kWriteFrame + kWriteAnswer + kReadFrame + kReadAnswer;
    return waits + WireMs(bytes, kBaseUnitBaud);
}

double CableWriteFloorMs() {
    const double waits = kOpenPauseMs + 50 + 4 * 100 + 1500 + 50 + 100;
    return waits + WireMs(11 + 71, kCableBaud);  // the "Y" request and its reply
}

class QuietBoxes : public tb::services::MessageBoxBackend {
  public:
    tb::services::MsgAnswer Show(const tb::services::MessageBoxRequest&) override {
        return tb::services::MsgAnswer::Ok;
    }
};

struct Simulator {
    pid_t pid = -1;
    std::string mapPath;
};

Simulator StartSimulator() {
    const auto folder = std::filesystem::path(tb::services::ProgramFolder());
    const std::string program = (folder / "trimbench-sim").string();
    char temp[] = "/tmp/tb-client-bench-XXXXXX";
    const char* made = ::mkdtemp(temp);
    if (!made) return {};
    Simulator sim;
    sim.mapPath = std::string(made) + "/devices.map";
    std::vector<std::string> args{program,    "--quiet", "--map",   sim.mapPath,
                                  "--logger", "820",     "--lgr890"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned =
        ::posix_spawn(&sim.pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return {};
    for (int i = 0; i < 200 && !std::filesystem::exists(sim.mapPath); ++i) ::usleep(10000);
    ::setenv("TRIMBENCH_DEVICE_MAP", sim.mapPath.c_str(), 1);
    return sim;
}

void StopSimulator(const Simulator& sim) {
    if (sim.pid <= 0) return;
    ::kill(sim.pid, SIGTERM);
    ::waitpid(sim.pid, nullptr, 0);
    std::filesystem::remove_all(std::filesystem::path(sim.mapPath).parent_path());
}

double MedianMs(int runs, const std::function<bool()>& operation, int& failures) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (!operation()) ++failures;
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* name, double medianMs, double floorMs, int runs, int failures) {
    std::printf("%-28s median %8.1f ms  floor %8.1f ms  ratio %.3f  (%d runs, %d failed)\n", name,
                medianMs, floorMs, medianMs / floorMs, runs, failures);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    QuietBoxes boxes;
    tb::services::SetMessageBoxBackend(&boxes);
    const Simulator sim = StartSimulator();
    if (sim.pid <= 0 || !std::filesystem::exists(sim.mapPath)) {
        std::fprintf(stderr, "trimbench-sim could not be started\n");
        return 1;
    }
    const std::array<double, 1> slopes{1.25}, offsets{-0.5};

    int failures = 0;
    const double linkMs = MedianMs(
        runs, [&] { return tb::client::SendCorrection(0, slopes, offsets, 1000, 1000, 0); },
        failures);
    Report("SendCorrection mode 0", linkMs, SendCorrectionFloorMs(), runs, failures);

    failures = 0;
    const double cableMs = MedianMs(
        runs, [&] { return tb::client::SendCorrection(4, slopes, offsets, 1000, 1000, 4); },
        failures);
    Report("model-890 write (mode 4)", cableMs, CableWriteFloorMs(), runs, failures);

    StopSimulator(sim);
    tb::services::SetMessageBoxBackend(nullptr);
    return 0;
}
