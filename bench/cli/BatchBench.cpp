// `trimbench batch` of 20 base-unit adjustments against trimbench-sim, paced
// at the base unit's line rate, as a ratio to the sum of the operations'
// floors. The program runs as a script would run it: one process for the
// whole file, start-up included.
//
// One row is the page's send: the model check (serial query, EISET read),
// the read of the current correction (serial query, EIADJ read) and the
// write (serial query, EIADJ write, 200 ms, EIADJ read-back). Its floor is
// what those exchanges cannot do without: the link library's pauses (10 ms
// before each port open, 20 ms after each header byte but the last), the
// client's 200 ms before the read-back, and the bytes on the wire.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/PageServices.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kRows = 20;
constexpr uint32_t kUnitSerial = 0x00820001;  // the simulator's first base unit
constexpr double kBaseUnitBaud = 38400;
constexpr int kBitsPerByte = 10;

constexpr int kTransactionsPerRow = 7;
constexpr double kOpenPauseMs = 10, kHeaderPausesMs = 60, kReadBackWaitMs = 200;
constexpr double kSerialQuery = 12, kSerialAnswer = 44;
constexpr double kReadFrame = 19, kReadAnswer = 101;  // EISET and EIADJ reads
constexpr double kWriteFrame = 90, kWriteAnswer = 30;

double RowFloorMs() {
    const double waits = kTransactionsPerRow * (kOpenPauseMs + kHeaderPausesMs) + kReadBackWaitMs;
    const double bytes = 3 * (kSerialQuery + kSerialAnswer) + 3 * (kReadFrame + kReadAnswer) +
                         (kWriteFrame + kWriteAnswer);
    return waits + bytes * kBitsPerByte * 1000.0 / kBaseUnitBaud;
}

pid_t Spawn(std::vector<std::string> args, bool quiet) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The batch file: 20 one-point adjustments that stay within the limits
// (the offset goes up and down by 0.1).
std::string WriteRows(const fs::path& folder) {
    const fs::path path = folder / "rows.csv";
    std::ofstream csv(path);
    csv << "model,serial,channel,before1,after1\n";
    char serial[16];
    std::snprintf(serial, sizeof serial, "%08X", kUnitSerial);
    for (int i = 0; i < kRows; ++i) csv << "820," << serial << ",1,20," << (i % 2 ? "19.9" : "20.1") << '\n';
    return path.string();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const fs::path programs(tb::app::ProgramFolder());
    char temp[] = "/tmp/tb-cli-bench-XXXXXX";
    if (!mkdtemp(temp)) return 1;
    const fs::path folder(temp);
    const std::string map = (folder / "devices.map").string();
    setenv("TRIMBENCH_SETTINGS_FILE", (folder / "settings.ini").c_str(), 1);
    setenv("TRIMBENCH_DEVICE_MAP", map.c_str(), 1);

    const pid_t sim = Spawn({(programs / "trimbench-sim").string(), "--quiet", "--map", map,
                             "--logger", "820"},
                            true);
    for (int i = 0; i < 500 && sim > 0 && !fs::exists(map); ++i) usleep(10000);
    if (sim <= 0 || !fs::exists(map)) {
        std::fprintf(stderr, "trimbench-sim could not be started\n");
        return 1;
    }
    const std::string rows = WriteRows(folder);

    std::vector<double> times;
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        const int exit = Wait(Spawn({(programs / "trimbench").string(), "batch", rows, "--yes"}, true));
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (exit != 0) ++failures;
    }
    kill(sim, SIGTERM);
    Wait(sim);
    fs::remove_all(folder);

    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double floor = kRows * RowFloorMs();
    std::printf("batch of %d base-unit adjustments  median %8.1f ms  floor %8.1f ms  ratio %.3f"
                "  (target <= 1.05; %d runs, %d failed)\n",
                kRows, median, floor, median / floor, runs, failures);
    std::printf("per row                            median %8.1f ms  floor %8.1f ms\n",
                median / kRows, RowFloorMs());
    return failures == 0 ? 0 : 1;
}
