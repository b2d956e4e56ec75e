// How much CPU a PumpWait(2000) costs and how late it returns, on the real
// clock with an empty pump hook (the cost of the wait loop itself).
// Usage: bench_pump_wait [runs] [milliseconds]
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "services/PageServices.h"
#include "platform/Pump.h"

namespace {

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2.0;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int waitMs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2000;
    long pumps = 0;
    tb::platform::ScopedPumpHook hook([&] { ++pumps; });

    std::vector<double> cpuPercent, lateMs;
    for (int run = 0; run < runs; ++run) {
        pumps = 0;
        const double cpuStart = ProcessCpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        tb::services::PumpWait(static_cast<uint32_t>(waitMs));
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        const double cpu = ProcessCpuSeconds() - cpuStart;
        cpuPercent.push_back(100.0 * cpu / wall);
        lateMs.push_back(wall * 1000.0 - waitMs);
        std::printf(
            "run %d: %.3f ms wall, %.3f ms CPU (%.2f%% of one core), %ld pumps, %.3f ms late\n",
            run + 1, wall * 1000.0, cpu * 1000.0, cpuPercent.back(), pumps, lateMs.back());
    }
    std::printf(
        "PumpWait(%d) over %d runs: median CPU %.2f%% of one core (target < 3%%), "
        "median lateness %.3f ms (target < 5 ms)\n",
        waitMs, runs, Median(cpuPercent), Median(lateMs));
    return 0;
}
