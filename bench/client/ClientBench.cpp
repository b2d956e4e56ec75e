// End-to-end timings of the command client against trimbench-sim, paced
// at the emulated lines' baud rates, as ratios to the protocol's floor.
//
//   SendCorrection mode 0: discovery, EIADJ write, 200 ms, EIADJ read-back
//   model-890 write (mode 4): wake, four "V" frames, 1500 ms, wake, "Y" read
#include <array>
#include <cstdio>
#include <cstdlib>

#include "bench/support/SimulatedBench.h"
#include "client/CorrectionOperations.h"

namespace {

using namespace tb::bench;

double SendCorrectionFloorMs() {
    return 200 + SerialQueryFloorMs() + BlockWriteFloorMs() + BlockReadFloorMs();
}

double CableWriteFloorMs() {
    const double waits = kOpenPauseMs + 50 + 4 * 100 + 1500 + 50 + 100;
    return waits + WireMs(11 + 71, kCableBaud);  // the "Y" request and its reply
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    AnsweringBoxes boxes(tb::services::MsgAnswer::Ok);
    tb::services::SetMessageBoxBackend(&boxes);
    const Simulator sim = StartSimulator({"--logger", "820", "--lgr890"});
    if (!sim.Started()) {
        std::fprintf(stderr, "trimbench-sim could not be started\n");
        StopSimulator(sim);
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
