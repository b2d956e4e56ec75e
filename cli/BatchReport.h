// What `trimbench batch` prints: a line per row as it finishes, the
// progress bar (rows done, time left) on standard error when that is a
// terminal, and at the end the summary table or the --json object, both
// in the file's order.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "cli/BatchFile.h"
#include "cli/BatchRows.h"
#include "cli/Terminal.h"

namespace tb::cli {

// The exit status of a batch stopped by Ctrl-C or SIGTERM, as a shell
// reports a command ended by SIGINT.
inline constexpr int kInterruptedExit = 130;

class BatchReport {
  public:
    BatchReport(const std::vector<BatchRow>& rows, bool json, Terminal& terminal);

    // Records the row (the index of its file row) and prints its line
    // (without --json) and the progress.
    void Finished(std::size_t index, const std::string& device, FinishedRow row);

    // The code of the first failed row in the file's order; else
    // WrittenIncomplete when a row's correction was written without its
    // history; Done when every row that ran was done.
    ExitCode FirstFailure() const;

    // The summary (or the JSON object) with `code` as the batch's result;
    // rows that never finished are shown as not run.
    void PrintEnd(ExitCode code, bool interrupted);

  private:
    void DrawProgress();
    void ClearProgress();

    const std::vector<BatchRow>& rows_;
    std::vector<FinishedRow> finished_;
    std::vector<bool> done_;
    std::size_t doneCount_ = 0;
    bool json_;
    Terminal& terminal_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace tb::cli
