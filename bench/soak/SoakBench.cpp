// A long run of writes and reads through the client against a simulated
// base unit, with a fault armed at random before many of them (fixed seed).
// Prints the failures that no armed fault explains (there must be none),
// any wrong correction the logger ended up holding, and resident memory and
// open descriptors at the start and the end (both must stay flat). Meant to
// run under AddressSanitizer; not part of CI.
//
//   bench_soak [iterations]      (default 1000)
#include <dirent.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "tests/faults/FaultRigs.h"

namespace {

long ResidentKiB() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * 4;
}

int OpenDescriptors() {
    int count = 0;
    if (DIR* fds = opendir("/proc/self/fd")) {
        while (dirent* entry = readdir(fds)) count += entry->d_name[0] != '.';
        closedir(fds);
    }
    return count - 1;  // the listing's own descriptor
}

// Faults of the base-unit path; "" is a round without a fault. "split"
// delays a reply without damaging it, so it must not fail anything.
const std::vector<std::string> kFaults{
    "", "", "", "", "garbled", "short", "split", "silent", "busy port",
    "read-back differs", "wrong word", "no status", "short data", "unplug mid-exchange"};

}  // namespace

int main(int argc, char** argv) {
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // failures show as they happen
    auto rig = tb::faults::MakeBaseUnitRig();
    const std::string old = rig->Held();
    rig->Write();  // the warm-up also makes everything that lives for the whole run
    rig->Read();
    const std::string written = rig->Held();
    const long rssStart = ResidentKiB();
    const int fdsStart = OpenDescriptors();

    std::mt19937 random(20261209);
    int armed = 0, explained = 0, unexplained = 0, wrongHeld = 0, armFailures = 0;
    int pendingPulls = 0;  // rounds that ended with a pull armed but not yet made
    std::string previous = "none";
    for (int i = 0; i < iterations; ++i) {
        const std::string& fault = kFaults[random() % kFaults.size()];
        const bool damaging = !fault.empty() && fault != "split";
        if (!fault.empty()) {
            ++armed;
            if (!rig->Arm(fault)) ++armFailures;
        }
        // The bench as the round starts: a failure nothing armed explains is
        // printed with it, so that a fault left over from an earlier round shows.
        const std::string state = rig->Dump();
        for (const auto& outcome : {rig->Write(), rig->Read()}) {
            if (outcome.succeeded) continue;
            if (damaging) {
                ++explained;
                continue;
            }
            ++unexplained;
            std::printf("round %d (%s, previous round %s): unexplained failure: %s\n%s", i,
                        fault.empty() ? "no fault" : fault.c_str(), previous.c_str(),
                        outcome.said.c_str(), state.c_str());
        }
        previous = fault.empty() ? "no fault" : fault;
        const std::string held = rig->Held();
        if (held != old && held != written) {
            ++wrongHeld;
            std::printf("round %d (%s): the logger holds %s\n", i, fault.c_str(), held.c_str());
        }
        if (rig->Dump().find("pulled out at its next reply") != std::string::npos) ++pendingPulls;
        rig->ClearFaults();
    }
    const long rssEnd = ResidentKiB();
    const int fdsEnd = OpenDescriptors();
    std::printf("rounds %d (a write and a read each), faults armed %d, arming failed %d\n",
                iterations, armed, armFailures);
    std::printf("failures explained by a fault %d, unexplained %d, wrong corrections held %d\n",
                explained, unexplained, wrongHeld);
    std::printf("rounds that ended with an unplug still pending %d\n", pendingPulls);
    std::printf("resident memory %ld KiB at start, %ld KiB at end\n", rssStart, rssEnd);
    std::printf("open descriptors %d at start, %d at end\n", fdsStart, fdsEnd);
    return unexplained == 0 && wrongHeld == 0 && armFailures == 0 && fdsStart == fdsEnd ? 0 : 1;
}
