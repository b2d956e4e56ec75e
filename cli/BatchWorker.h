// The worker processes of `trimbench batch`: one per device, confined to
// that device's port. The batch sends a worker one row at a time (a line
// of JSON on its standard input) and reads the finished row back (a line
// of JSON on its standard output); closing its input ends it once its row
// is done. A worker ignores Ctrl-C and SIGTERM (WorkerPipes.h starts it): the batch decides when to
// stop, and a row is never cut off in the middle of a write.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "cli/BatchRows.h"
#include "cli/Terminal.h"
#include "cli/TerminalMessageBoxes.h"

namespace tb::cli {

// The hidden subcommand a worker runs: `batch-worker --yes|--dry-run` for
// rows, `batch-worker --survey` to list what is on its port (one line of
// JSON, then it ends).
inline constexpr const char* kWorkerCommand = "batch-worker";
int RunBatchWorker(const QStringList& arguments, Terminal& terminal);

// Lines of text read from a descriptor, at most kMaxLine bytes each (a
// longer line is cut off and the rest of it dropped).
class LineReader {
  public:
    static constexpr std::size_t kMaxLine = 1 << 20;
    explicit LineReader(int fd) : fd_(fd) {}
    // The next whole line; nothing at the end of the stream (or on an
    // error). Blocks.
    std::optional<std::string> Next();
    // Reads what is there without blocking; false once the stream ended.
    bool Fill();
    // A whole line already read, if there is one.
    std::optional<std::string> Take();

  private:
    int fd_;
    std::string buffer_;
    std::size_t lineLength_ = 0;
    bool dropping_ = false;
    bool ended_ = false;
};

class WorkerProcess {
  public:
    // Starts `trimbench batch-worker OPTION` confined to the port; nullptr
    // with `error` set when it cannot be started.
    static std::unique_ptr<WorkerProcess> Start(int com, const std::string& option, std::string& error);
    static std::string RowsOption(AnswerPolicy policy);
    ~WorkerProcess();
    WorkerProcess(const WorkerProcess&) = delete;
    WorkerProcess& operator=(const WorkerProcess&) = delete;

    // False when the worker is gone.
    bool Send(const BatchRow& row);
    // Closes its input: it ends after the row it runs.
    void Finish();
    int OutputFd() const { return output_; }
    LineReader& Output() { return reader_; }

  private:
    WorkerProcess(std::intptr_t process, int input, int output)
        : process_(process), input_(input), output_(output), reader_(output) {}

    std::intptr_t process_;  // a pid, or a process handle on Windows
    int input_;
    int output_;
    LineReader reader_;
};

}  // namespace tb::cli
