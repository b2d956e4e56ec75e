// `trimbench batch --jobs`: 24 rows over six devices (four base units with
// different loggers, one 870, one 875) against trimbench-sim paced at each
// device's line rate, the program run as a script runs it.
//
//   --jobs 1   every row after the other, in one process
//   --jobs 6   the six devices side by side, a worker process each
//   floor      the slowest device's own four rows, run alone: one process
//              confined to that device's port (TRIMBENCH_PORTS), so that
//              it sees no other device, as a worker does
//
// Figures: the side-by-side time as a ratio to the floor (target <= 1.10),
// and its speed-up over --jobs 1 against the ideal one (--jobs 1 over the
// floor; target >= 0.9 of it). Then the journal's append latency with six
// programs appending to one SQLite journal at once (p99).
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <array>
#include <fstream>

#include "bench/cli/TrimbenchBatch.h"
#include "bench/support/SimulatedBench.h"
#include "journal/JournalEntry.h"
#include "journal/JournalStore.h"
#include "pages/OperationRecord.h"

namespace {

using namespace tb::bench;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Device {
    const char* model;
    const char* serial;
    const char* channel;
    const char* inputKind;
};

// The simulator's devices in the order its options below add them.
constexpr std::array<Device, 6> kDevices = {{{"820", "00820001", "1", ""},
                                             {"830", "00820002", "1", ""},
                                             {"821", "00820003", "1", ""},
                                             {"850", "00820004", "1", "tc"},
                                             {"870", "87000001", "3", ""},
                                             {"875", "87500001", "2", ""}}};
constexpr int kRowsPerDevice = 4;
constexpr int kWriters = 6;
constexpr int kAppendsPerWriter = 300;

// Rows that stay within the limits: the offset goes up and down by 0.1.
std::string WriteRows(const fs::path& path, const std::vector<std::size_t>& devices) {
    std::ofstream csv(path);
    csv << "model,serial,channel,before1,after1,before2,after2,input_kind\n";
    for (int row = 0; row < kRowsPerDevice; ++row)
        for (std::size_t d : devices)
            csv << kDevices[d].model << ',' << kDevices[d].serial << ',' << kDevices[d].channel
                << ",20," << (row % 2 ? "19.9" : "20.1") << ",,," << kDevices[d].inputKind << '\n';
    return path.string();
}

// The COM number of each device of kDevices, from the simulator's map:
// the 870 and 875 by their product ids, the base units in COM order.
std::array<int, 6> ComNumbers(const std::string& mapPath) {
    std::array<int, 6> com{};
    std::ifstream map(mapPath);
    std::string line;
    std::size_t unit = 0;
    while (std::getline(map, line)) {
        int number = 0;
        char path[256], id[16];
        if (line.empty() || line[0] == '#' || std::sscanf(line.c_str(), "%d %255s %15s", &number, path, id) != 3)
            continue;
        const std::string product(id);
        if (product.ends_with("8870")) com[4] = number;
        else if (product.ends_with("8875")) com[5] = number;
        else if (unit < 4) com[unit++] = number;
    }
    return com;
}

bool RunBatch(const std::string& rows, const char* jobs) {
    return tb::bench::RunTrimbenchBatch(rows, {"--jobs", jobs});
}

tb::journal::JournalEntry Entry(int writer, int i) {
    tb::pages::AdjustmentRecord record;
    record.page = record.model = "820/821";
    record.unitSerial = "0082000" + std::to_string(writer);
    tb::pages::ChannelRecord channel;
    channel.name = "CH1";
    channel.asFound = tb::pages::Correction{1.0, 0.1 * (i % 2)};
    channel.enteredPoints = {"20", "20.1"};
    channel.entered = tb::pages::Correction{1.0, 0.1};
    channel.composed = channel.asLeft = tb::pages::Correction{1.0, 0.1 * (1 + i % 2)};
    channel.limits = tb::pages::LimitsRecord(tb::pages::CheckKind::Celsius);
    record.channels = {channel};
    record.success = true;
    record.messageId = 1050;
    return tb::journal::EntryFromRecord(record, {"2026-12-09T02:15:10.123Z", 540, "bench", "1.31"});
}

// One writer: appends and sends each append's time (ms, as double) down the pipe.
int AppendAsWriter(const std::string& path, int writer, int out) {
    int argc = 1;
    char name[] = "writer";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    tb::journal::JournalError error;
    auto store = tb::journal::JournalStore::OpenSqlite(path, error);
    if (!store) return 1;
    for (int i = 0; i < kAppendsPerWriter; ++i) {
        auto entry = Entry(writer, i);
        const auto start = Clock::now();
        if (!store->Append(entry, error)) return 1;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (write(out, &ms, sizeof ms) != sizeof ms) return 1;
    }
    return 0;
}

// Six programs appending at once; the p99 of every append, and whether the
// chain held. Runs before anything starts a thread (the writers are forked).
void ReportConcurrentAppends() {
    char temp[] = "/tmp/tb-bench-journal-XXXXXX";
    if (!mkdtemp(temp)) return;
    const std::string path = std::string(temp) + "/journal.sqlite3";
    {
        int argc = 1;
        char name[] = "bench";
        char* argv[] = {name, nullptr};
        tb::journal::JournalError error;
        // The journal exists before the writers start, as on a bench in use.
        QCoreApplication app(argc, argv);
        tb::journal::JournalStore::OpenSqlite(path, error);
    }
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    std::vector<pid_t> writers;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = fork();
        if (pid == 0) {
            close(pipeFds[0]);
            _exit(AppendAsWriter(path, w, pipeFds[1]));
        }
        writers.push_back(pid);
    }
    close(pipeFds[1]);
    std::vector<double> times;
    double ms = 0;
    while (read(pipeFds[0], &ms, sizeof ms) == sizeof ms) times.push_back(ms);
    close(pipeFds[0]);
    int failed = 0;
    for (pid_t pid : writers) {
        int status = 0;
        waitpid(pid, &status, 0);
        failed += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
    }
    std::sort(times.begin(), times.end());
    int argc = 1;
    char name[] = "bench";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    tb::journal::JournalError error;
    auto store = tb::journal::JournalStore::OpenSqlite(path, error);
    const bool intact = store && store->Verify().Intact();
    const double p99 = times.empty() ? 0 : times[times.size() * 99 / 100];
    const double median = times.empty() ? 0 : times[times.size() / 2];
    std::printf("journal append, %d writers     median %6.3f ms  p99 %6.3f ms  (%zu appends, %d writers "
                "failed, chain %s)\n",
                kWriters, median, p99, times.size(), failed, intact ? "intact" : "BROKEN");
    store.reset();
    fs::remove_all(temp);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    ReportConcurrentAppends();

    Simulator sim;
    const auto started = StartBatchBench({"--logger", "820", "--logger", "830", "--logger", "821",
                                          "--logger", "850-tc", "--lgr870", "1", "--lgr875", "1"},
                                         sim);
    if (!started) return 1;
    const fs::path folder = *started;
    const std::string all = WriteRows(folder / "all.csv", {0, 1, 2, 3, 4, 5});

    int failures = 0;
    double floorMs = 0;
    const std::array<int, 6> com = ComNumbers(sim.mapPath);
    for (std::size_t d = 0; d < kDevices.size(); ++d) {
        const std::string own = WriteRows(folder / ("device" + std::to_string(d) + ".csv"), {d});
        ::setenv("TRIMBENCH_PORTS", std::to_string(com[d]).c_str(), 1);
        const double ms = MedianMs(runs, [&] { return RunBatch(own, "1"); }, failures);
        ::unsetenv("TRIMBENCH_PORTS");
        std::printf("%-28s %8.1f ms\n", (std::string("alone: ") + kDevices[d].model).c_str(), ms);
        floorMs = std::max(floorMs, ms);
    }
    const double serialMs = MedianMs(runs, [&] { return RunBatch(all, "1"); }, failures);
    const double parallelMs = MedianMs(runs, [&] { return RunBatch(all, "6"); }, failures);
    StopSimulator(sim);

    std::printf("%-28s %8.1f ms\n", "--jobs 1, 24 rows", serialMs);
    Report("--jobs 6, 24 rows", parallelMs, floorMs, runs, failures);
    const double ideal = serialMs / floorMs;
    const double speedUp = serialMs / parallelMs;
    std::printf("%-28s %.2f of the ideal %.2f: %.3f  (target >= 0.9; ratio target <= 1.10)\n",
                "speed-up", speedUp, ideal, speedUp / ideal);
    return 0;
}
