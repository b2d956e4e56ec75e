// The 820 and the 870 page send through the pages of the Windows program,
// under Wine against the paced simulator that `scripts/wine-test.sh --bench`
// serves on the prefix's COM ports (a base unit at 38400 baud with an 820
// logger, a model-870 logger at 19200 baud), each as a ratio to the same
// protocol floor as the Linux benchmarks (bench_pages, bench_pages87x).
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/modelcom/DirectUsbFloor.h"
#include "bench/support/BaseUnitFloor.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/MemoryDialogView.h"
#include "pages/PageLgr820.h"
#include "pages/lgr87x/PageLgr870.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "resources/dialogs/OneChannelIds.h"
#include "resources/StringIds.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace {

constexpr int kRuns = 7;
constexpr double kOneChannelWriteWaitMs = 200;

// Ticks the channel and sends +0.1 on top of what the logger holds.
void Page820(tb::services::ScriptedMessageBoxes& boxes) {
    namespace ids = tb::resources::one_channel;
    tb::pages::MemoryDialogView view;
    tb::pages::CPageLgr820 page(tb::pages::MakeBaseUnitLogger());
    page.AttachView(view);
    page.OnInitDialog();
    page.OnSetActive();
    view.SetCheck(ids::kAdjustChannel, true);
    page.OnCommand(ids::kAdjustChannel);
    view.SetText(ids::kBefore1, "1.0");
    view.SetText(ids::kAfter1, "1.1");
    std::vector<double> runs;
    int failures = 0;
    for (int run = 0; run < kRuns; ++run) {
        view.SetText(ids::kCurrentLine, "");
        boxes.Clear();
        runs.push_back(tb::bench::TimeMs([&] { page.OnCommand(ids::kSend); }));
        if (view.Text(ids::kCurrentLine).empty()) ++failures;
    }
    const double median = tb::bench::Median(runs);
    const double floor = tb::bench::PageSendFloorMs(kOneChannelWriteWaitMs);
    std::printf("%-30s median %8.1f ms  floor %8.1f ms  ratio %.3f  (%d runs, %d failed)\n",
                "820 page send (under Wine)", median, floor, median / floor, kRuns, failures);
}

void Page870(tb::services::ScriptedMessageBoxes& boxes) {
    using namespace tb::resources::lgr87x_ids;
    tb::pages::MemoryDialogView view;
    tb::pages::lgr87x::CPageLgr870 page;
    page.AttachView(view);
    page.OnInitDialog();
    page.OnSetActive();
    view.SetCheck(kCheck[0], true);
    page.OnCommand(kCheck[0]);
    std::vector<double> runs;
    int failures = 0;
    for (int run = 0; run < kRuns; ++run) {
        // Back and forth, so that the composed correction stays in its limits.
        view.SetText(kBefore1[0], run % 2 == 0 ? "2.4" : "2.6");
        boxes.Clear();
        runs.push_back(tb::bench::TimeMs([&] { page.OnCommand(kSend); }));
        if (boxes.Count() == 0 || boxes.Last().stringId != tb::resources::strings::kMsgSent) {
            if (failures++ == 0 && boxes.Count() > 0)
                std::fprintf(stderr, "870 send ended with: %s\n", boxes.Last().text.c_str());
        }
    }
    const double median = tb::bench::Median(runs);
    const double floor = tb::bench::PageSendFloor();
    std::printf("%-30s median %8.1f ms  floor %8.1f ms  ratio %.3f  (%d runs, %d failed)\n",
                "870 page send (under Wine)", median, floor, median / floor, kRuns, failures);
}

}  // namespace

int main() {
    // The history log and the journal in a folder of their own.
    const std::filesystem::path home = std::filesystem::temp_directory_path() /
                                       ("tb-bench-wine-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(home);
    _putenv_s("TRIMBENCH_SETTINGS_FILE", (home / "settings.ini").string().c_str());
    tb::services::ScriptedMessageBoxes boxes;
    boxes.SetDefaultAnswer(tb::services::MsgAnswer::Yes);
    Page820(boxes);
    Page870(boxes);
    std::filesystem::remove_all(home);
    return 0;
}
