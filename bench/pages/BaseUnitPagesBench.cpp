// A technician's send on the base-unit pages 830, 835 and 850 (voltage
// input) against trimbench-sim, paced at the base unit's baud rate, as
// ratios to the protocol's floor. One send is:
//
//   model check:  discovery, EISET read
//   current:      discovery, EIADJ read
//   write:        discovery, EIADJ write, the mode's wait, EIADJ read-back
//
// Beside each page's figure the same three client calls made directly show
// what the page itself adds (its ratio to them).
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "bench/support/SimulatedBench.h"
#include "client/LoggerClient.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/MemoryDialogView.h"
#include "pages/PageLgr850.h"
#include "pages/TempHumidityPage.h"
#include "resources/dialogs/MultiInputIds.h"
#include "resources/dialogs/TempHumidityIds.h"

namespace {

using namespace tb::bench;
namespace th = tb::resources::temp_humidity;
namespace mi = tb::resources::multi_input;

struct PageRun {
    const char* name;
    const char* logger;  // the simulator's --logger
    double writeWaitMs;  // the write's mode wait
    std::function<std::unique_ptr<tb::pages::CPropertyPage>()> make;
    int kindRadio;  // 850: the input kind chosen first, else 0
    int adjust, onePoint, before, after, line;
    std::function<bool()> clientCalls;  // the page's check, read and write, made directly
};

// Ticks the channel and sends +0.1 on top of what the logger holds, again
// and again; a run succeeds when the page shows the written correction.
void RunPage(const PageRun& run, int runs) {
    const Simulator sim = StartSimulator({"--logger", run.logger});
    if (!sim.Started()) {
        std::fprintf(stderr, "trimbench-sim could not be started for %s\n", run.name);
        StopSimulator(sim);
        return;
    }
    tb::pages::MemoryDialogView view;
    auto page = run.make();
    page->AttachView(view);
    page->OnInitDialog();
    page->OnSetActive();
    if (run.kindRadio != 0) {
        view.SetRadioIndex(mi::kThermocouple, run.kindRadio - mi::kThermocouple);
        page->OnCommand(run.kindRadio);
    }
    view.SetCheck(run.adjust, true);
    page->OnCommand(run.adjust);
    view.SetText(run.before, "1.0");
    view.SetText(run.after, "1.1");
    int failures = 0;
    const double ms = MedianMs(
        runs,
        [&] {
            view.SetText(run.line, "");
            page->OnCommand(th::kSend);
            return !view.Text(run.line).empty();
        },
        failures);
    Report(run.name, ms, PageSendFloorMs(run.writeWaitMs), runs, failures);
    int clientFailures = 0;
    const double clientMs = MedianMs(runs, run.clientCalls, clientFailures);
    std::printf("%-28s median %8.1f ms  page/client ratio %.3f  (%d failed)\n",
                "  the client calls alone", clientMs, ms / clientMs, clientFailures);
    StopSimulator(sim);
}

// Model check, read and write of a one- or two-channel logger.
bool ClientSend(const std::function<bool()>& check, int kind, int mode, std::size_t channels,
                uint16_t slopeScale, uint16_t offsetScale) {
    double slopes[2] = {1.0, 1.0};
    double offsets[2] = {0.0, 0.0};
    const std::span<double> s(slopes, channels), o(offsets, channels);
    if (!check() ||
        !tb::client::ReadCorrection(kind == 2 ? 0 : kind, s, o, slopeScale, offsetScale)) {
        return false;
    }
    offsets[channels - 1] = offsets[channels - 1] > 1.0 ? 0.0 : offsets[channels - 1] + 0.1;
    return tb::client::SendCorrection(kind, s, o, slopeScale, offsetScale, mode);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    AnsweringBoxes boxes(tb::services::MsgAnswer::Yes);
    tb::services::SetMessageBoxBackend(&boxes);
    const PageRun pages[] = {
        {"830 send (channel 1)", "830", 200,
         [] { return std::make_unique<tb::pages::CPageLgr830>(tb::pages::MakeLgr830Logger()); }, 0,
         th::kAdjust1, th::kOnePoint1, th::kBefore1Row1, th::kAfter1Row1, th::kCurrentLine1,
         [] {
             return ClientSend([] { return tb::client::CheckBaseUnitModel(1); }, 1, 1, 2, 1000,
                               1000);
         }},
        {"835 send (channel 2)", "835", 3000,
         [] { return std::make_unique<tb::pages::CPageLgr835>(tb::pages::MakeLgr835Logger()); }, 0,
         th::kAdjust2, th::kOnePoint2, th::kBefore2Row1, th::kAfter2Row1, th::kCurrentLine2,
         [] {
             return ClientSend([] { return tb::client::CheckBaseUnitModel(3); }, 3, 3, 2, 1000,
                               1000);
         }},
        {"850 send (voltage)", "850-v", 3000,
         [] { return std::make_unique<tb::pages::CPageLgr850>(tb::pages::MakeMultiInputLogger); },
         mi::kVoltage, mi::kAdjust, mi::kOnePoint, mi::kBefore1, mi::kAfter1, mi::kCurrentLine,
         [] {
             return ClientSend([] { return tb::client::CheckMultiInputModel(3); }, 2, 2, 1, 4096,
                               10000);
         }},
    };
    for (const PageRun& run : pages) RunPage(run, runs);
    tb::services::SetMessageBoxBackend(nullptr);
    return 0;
}
