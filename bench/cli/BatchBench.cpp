// `trimbench batch` of 20 base-unit adjustments against trimbench-sim, paced
// at the base unit's line rate. The program runs as a script runs it: one
// process for the whole file, start-up included.
//
// One row is the page's send on one logger named by serial number:
//
//   finding it:   discovery (the unit with that serial)
//   model check:  discovery, EISET read
//   current:      discovery, EIADJ read
//   write:        discovery, EIADJ write, 200 ms, EIADJ read-back
//
// Two figures: the batch against 20 times the protocol's floor of a row,
// and against 20 times the same send made on the page in this process (what
// the operations themselves take), which shows the command line's own cost.
// Both record every send in a journal of their own, as the window does.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>

#include "bench/cli/TrimbenchBatch.h"
#include "bench/support/SimulatedBench.h"
#include "journal/JournalRecorder.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/MemoryDialogView.h"
#include "pages/PageLgr820.h"

namespace {

using namespace tb::bench;
namespace fs = std::filesystem;
namespace oc = tb::pages::one_channel;

constexpr int kRows = 20;
constexpr const char* kUnitSerial = "00820001";  // the simulator's first base unit
constexpr double kReadBackWaitMs = 200;

double RowFloorMs() {
    return 4 * SerialQueryFloorMs() + 3 * BlockReadFloorMs() + BlockWriteFloorMs() + kReadBackWaitMs;
}

// 20 one-point adjustments that stay within the limits: the offset goes up
// and down by 0.1.
std::string WriteRows(const fs::path& folder) {
    const fs::path path = folder / "rows.csv";
    std::ofstream csv(path);
    csv << "model,serial,channel,before1,after1\n";
    for (int i = 0; i < kRows; ++i)
        csv << "820," << kUnitSerial << ",1,20," << (i % 2 ? "19.9" : "20.1") << '\n';
    return path.string();
}

bool RunBatch(const std::string& rows) { return tb::bench::RunTrimbenchBatch(rows); }

// The same send on the page, in this process: the sum of the operations.
double PageSendMs(int runs, int& failures) {
    const auto journal = tb::journal::ConnectJournal();
    AnsweringBoxes boxes(tb::services::MsgAnswer::Yes);
    tb::services::SetMessageBoxBackend(&boxes);
    tb::pages::MemoryDialogView view;
    tb::pages::CPageLgr820 page(tb::pages::MakeBaseUnitLogger());
    page.AttachView(view);
    page.OnInitDialog();
    page.OnSetActive();
    view.SetCheck(oc::kAdjustChannel, true);
    page.OnCommand(oc::kAdjustChannel);
    view.SetText(oc::kBefore1, "20");
    int round = 0;
    const double ms = MedianMs(
        runs,
        [&] {
            view.SetText(oc::kAfter1, ++round % 2 ? "19.9" : "20.1");
            view.SetText(oc::kCurrentLine, "");
            page.OnCommand(oc::kSend);
            return !view.Text(oc::kCurrentLine).empty();
        },
        failures);
    tb::services::SetMessageBoxBackend(nullptr);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    Simulator sim;
    const auto started = StartBatchBench({"--logger", "820"}, sim);
    if (!started) return 1;
    const fs::path folder = *started;
    const std::string rows = WriteRows(folder);

    int batchFailures = 0;
    const double batchMs = MedianMs(runs, [&] { return RunBatch(rows); }, batchFailures);
    int pageFailures = 0;
    const double pageMs = PageSendMs(runs * 3, pageFailures);
    StopSimulator(sim);

    Report("batch of 20 adjustments", batchMs, kRows * RowFloorMs(), runs, batchFailures);
    std::printf("%-28s median %8.1f ms  (%d failed)\n", "one send on the page", pageMs, pageFailures);
    std::printf("%-28s %8.1f ms  ratio %.3f  (target <= 1.05)\n", "batch / 20 page sends",
                kRows * pageMs, batchMs / (kRows * pageMs));
    return 0;
}
