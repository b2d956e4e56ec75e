// trimbench-sim: serves a bench of simulated devices until SIGINT or
// SIGTERM, printing their state as it changes (SIGUSR1: all of it).
#include <signal.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "sim/core/Bench.h"
#include "sim/core/EchoDevice.h"
#include "sim/main/CommandLine.h"
#include "sim/main/StateChanges.h"

namespace {

using namespace tb::sim;

void BuildBench(Bench& bench, const SimSettings& settings, const std::vector<Family>& families) {
    for (const auto& family : families) {
        if (family.build) family.build(settings.familyOptions, bench);
    }
    if (bench.DeviceCount() > 0) return;
    for (const auto& family : families) {
        if (family.addDefault) family.addDefault(bench);
    }
    if (bench.DeviceCount() == 0) bench.Emplace<EchoDevice>();
}

void PrintChanges(StateChanges& changes, const Bench& bench) {
    for (const auto& line : changes.Update(bench.Dump())) std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Waits for signals; returns when told to stop.
void Serve(Bench& bench, const sigset_t& signals, bool quiet) {
    StateChanges changes;
    changes.Update(bench.Dump());
    const timespec second{1, 0};
    while (true) {
        int signal = sigtimedwait(&signals, nullptr, &second);
        if (signal == SIGINT || signal == SIGTERM) return;
        if (signal == SIGUSR1) {
            std::printf("%s", bench.Dump().c_str());
            std::fflush(stdout);
        }
        if (!quiet) PrintChanges(changes, bench);
    }
}

int Run(const std::vector<std::string>& args) {
    auto families = AllFamilies();
    SimSettings settings = ParseCommandLine(args, families);
    if (settings.help) {
        std::printf("%s", Usage(families).c_str());
        return 0;
    }
    // Signals are taken by sigtimedwait only; the bench's thread inherits
    // the blocked mask.
    sigset_t signals;
    sigemptyset(&signals);
    for (int s : {SIGINT, SIGTERM, SIGUSR1}) sigaddset(&signals, s);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    Bench bench({.pacing = settings.pacing, .firstComNumber = settings.firstComNumber});
    BuildBench(bench, settings, families);
    std::string mapPath = settings.mapPath.empty() ? DefaultMapPath() : settings.mapPath;
    bench.WriteDeviceMap(mapPath);
    std::printf("TRIMBENCH_DEVICE_MAP=%s\n%s", mapPath.c_str(), bench.Dump().c_str());
    std::fflush(stdout);

    Serve(bench, signals, settings.quiet);
    if (settings.dumpOnExit) std::printf("%s", bench.Dump().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "trimbench-sim: %s (see --help)\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "trimbench-sim: %s\n", e.what());
        return 1;
    }
}
