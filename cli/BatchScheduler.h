// Runs a batch's device queues side by side: at most `jobs` worker
// processes at once, one per device, each sent its device's rows one after
// another in the file's order.
//
// Without --keep-going the first failed row stops its device's queue and
// no new row starts anywhere; rows already running finish. A stop signal
// does the same. A worker that cannot be started or that ends during a row
// fails that row (and, without --keep-going, stops the batch likewise).
#pragma once

#include <vector>

#include "cli/BatchFile.h"
#include "cli/BatchPlan.h"
#include "cli/BatchReport.h"
#include "cli/StopSignals.h"
#include "cli/TerminalMessageBoxes.h"

namespace tb::cli {

struct SchedulerOptions {
    int jobs = 1;
    AnswerPolicy policy = AnswerPolicy::Yes;  // Yes or DryRun: workers cannot ask
    bool keepGoing = false;
};

// Runs the queues, reporting each row as it finishes.
void RunQueuesSideBySide(const std::vector<BatchRow>& rows, const std::vector<DeviceQueue>& queues,
                         const SchedulerOptions& options, const StopSignals& stop, BatchReport& report);

}  // namespace tb::cli
