// Times a Send on the 870 and the 875 page, as the technician starts it
// (logger search, history read, calibration read, write with its pauses,
// the read-back of the written pair, history write, list refresh), against
// a simulated logger on a pty paced at 19200 baud. The floor is the
// protocol's own (fixed sleeps, or wire time where longer) plus the page's
// fixed pauses: 300 ms after the correction write and 200 ms after the
// history write.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/StringIds.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "bench/modelcom/DirectUsbFloor.h"
#include "pages/MemoryDialogView.h"
#include "pages/lgr87x/PageLgr870.h"
#include "pages/lgr87x/PageLgr875.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "sim/core/Bench.h"
#include "sim/lgr87x/Lgr87xDevice.h"

namespace {

using namespace tb::bench;
using namespace tb::resources::lgr87x_ids;

constexpr int kRuns = 5;

void TimeSends(const char* what, tb::sim::Lgr87xModel model, tb::pages::CPropertyPage& page,
               const char* before, const char* after) {
    tb::sim::Bench bench({.pacing = true});
    auto& logger = bench.Emplace<tb::sim::Lgr87xDevice>(tb::sim::Lgr87xDefaults(model)).Logger();
    bench.UseTemporaryDeviceMap();
    tb::pages::MemoryDialogView view;
    tb::services::ScriptedMessageBoxes boxes;
    boxes.SetDefaultAnswer(tb::services::MsgAnswer::Yes);
    page.AttachView(view);
    page.OnInitDialog();
    page.OnSetActive();
    view.SetCheck(kCheck[0], true);
    page.OnCommand(kCheck[0]);
    view.SetText(kBefore1[0], before);
    if (after != nullptr) view.SetText(kAfter1[0], after);

    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        {
            // Every run starts from the factory state, so the limits never stop it.
            auto lock = bench.LockState();
            for (auto& [group, calibration] : logger.calibration)
                calibration.values = {1000, 0, 1000, 0};
            for (auto& [group, record] : logger.history) record = {};
        }
        boxes.Clear();
        runs.push_back(TimeMs([&] { page.OnCommand(kSend); }));
        if (boxes.Count() == 0 || boxes.Last().stringId != tb::resources::strings::kMsgSent) {
            std::fprintf(stderr, "%s: the send did not finish\n", what);
            std::exit(1);
        }
    }
    Report(what, runs, PageSendFloor());
}

}  // namespace

int main() {
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("tb-bench-pages87x-" + std::to_string(getpid()));
    std::filesystem::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    setenv("TRIMBENCH_SETTINGS_FILE", (home / "settings.ini").c_str(), 1);
    {
        tb::pages::lgr87x::CPageLgr870 page870;
        TimeSends("870 page send (illuminance)", tb::sim::Lgr87xModel::k870, page870, "2.4",
                  nullptr);
    }
    {
        tb::pages::lgr87x::CPageLgr875 page875;
        TimeSends("875 page send (CO2)", tb::sim::Lgr87xModel::k875, page875, "420", "400");
    }
    std::filesystem::remove_all(home);
    return 0;
}
