// The sequence runs of the test suite, long: every page family (or the one
// named) through N operations (default 100000 in all) with faults armed at
// random, each checked against the composition rules. Prints operations per
// second, the faults met, the events reached, and the shortest failing
// sequence if a check fails.
// Not run by CI.
//
//   bench_sequence_soak [OPERATIONS] [FAMILY] [SEED]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "tests/sequence/SequenceRun.h"

int main(int argc, char** argv) {
    using namespace tb::sequence;
    // The pages' log file and settings go to a folder of the run's own,
    // never the user's data folder.
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("tb-sequence-soak-" + std::to_string(getpid()));
    std::filesystem::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("TRIMBENCH_SETTINGS_FILE", (home / "settings.conf").c_str(), 1);
    const int total = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::string only = argc > 2 ? argv[2] : "";
    const uint32_t seed = argc > 3 ? static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 1;
    std::map<std::string, FamilyFactory> chosen;
    for (const auto& [name, factory] : Families()) {
        if (only.empty() || only == name) chosen.emplace(name, factory);
    }
    if (chosen.empty()) {
        std::fprintf(stderr, "no family %s\n", only.c_str());
        return 2;
    }
    int failures = 0;
    for (const auto& [name, factory] : chosen) {
        RunSettings settings;
        settings.seed = seed;
        settings.operations = total / static_cast<int>(chosen.size());
        const auto start = std::chrono::steady_clock::now();
        const RunResult result = RunSeeded(factory, settings);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%-10s %7d operations  %8.1f ops/s  faults:", name.c_str(),
                    result.operationsRun, result.operationsRun / seconds);
        for (const auto& [fault, count] : result.faultsMet)
            std::printf(" %s %d,", fault.c_str(), count);
        std::printf("\n");
        for (const auto& [event, count] : result.reached)
            std::printf("  %6d x %s\n", count, event.c_str());
        if (!result.failure.empty()) {
            ++failures;
            const auto names = factory()->FaultNames();
            std::printf("  FAILED (seed %u): %s\n  shortest sequence:\n", seed,
                        result.failure.c_str());
            for (const Op& op : result.failing)
                std::printf("    %s\n", Describe(op, names).c_str());
        }
        std::fflush(stdout);
    }
    std::filesystem::remove_all(home);
    return failures == 0 ? 0 : 1;
}
