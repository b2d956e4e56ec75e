#include "cli/BatchScheduler.h"

#include <QJsonDocument>
#include <memory>

#include "cli/BatchWorker.h"
#include "cli/WorkerPipes.h"
#include "cli/CliTexts.h"

namespace tb::cli {
namespace {

// A device's queue and the worker running it.
struct Job {
    const DeviceQueue* queue = nullptr;
    std::size_t next = 0;                  // the next of its rows to send
    std::optional<std::size_t> running;    // the row its worker runs
    std::unique_ptr<WorkerProcess> worker;
    bool over = false;                     // no more rows go to this device

    bool Pending() const { return !over && next < queue->rows.size(); }
};

class Scheduler {
  public:
    Scheduler(const std::vector<BatchRow>& rows, const std::vector<DeviceQueue>& queues,
              const SchedulerOptions& options, const StopSignals& stop, BatchReport& report)
        : rows_(rows), options_(options), stop_(stop), report_(report) {
        for (const DeviceQueue& queue : queues) {
            Job job;
            job.queue = &queue;
            jobs_.push_back(std::move(job));
        }
    }

    void Run() {
        for (;;) {
            if (stop_.Stopped()) stopping_ = true;
            StartWorkers();
            FeedWorkers();
            if (Running() == 0) break;
            WaitForOutput();
        }
    }

  private:
    std::size_t Running() const {
        std::size_t count = 0;
        for (const Job& job : jobs_) count += job.worker ? 1 : 0;
        return count;
    }

    void StartWorkers() {
        for (Job& job : jobs_) {
            if (stopping_ || Running() >= static_cast<std::size_t>(options_.jobs)) return;
            if (job.worker || !job.Pending()) continue;
            std::string error;
            job.worker = WorkerProcess::Start(job.queue->com, WorkerProcess::RowsOption(options_.policy), error);
            if (!job.worker)
                Fail(job, job.queue->rows[job.next++], Text(cli_text::WorkerNotStarted, {error}));
        }
    }

    // Sends each idle worker its next row, or ends it.
    void FeedWorkers() {
        for (Job& job : jobs_) {
            if (!job.worker || job.running) continue;
            if (stopping_ || !job.Pending()) {
                job.over = true;
                job.worker.reset();  // closes its input and waits for it
                continue;
            }
            const std::size_t row = job.queue->rows[job.next++];
            if (job.worker->Send(rows_[row])) {
                job.running = row;
            } else {
                job.worker.reset();
                Fail(job, row, Text(cli_text::WorkerLost, {job.queue->label}));
            }
        }
    }

    void WaitForOutput() {
        std::vector<int> fds;
        std::vector<Job*> owners;
        for (Job& job : jobs_) {
            if (!job.worker) continue;
            fds.push_back(job.worker->OutputFd());
            owners.push_back(&job);
        }
        if (stop_.WakeFd() >= 0 && !stopping_) fds.push_back(stop_.WakeFd());
        const std::vector<bool> readable = WaitReadable(fds);
        for (std::size_t i = 0; i < owners.size(); ++i)
            if (readable[i]) ReadFrom(*owners[i]);
    }

    void ReadFrom(Job& job) {
        const bool open = job.worker->Output().Fill();
        while (auto line = job.worker->Output().Take()) Receive(job, *line);
        if (open) return;
        // The worker ended: a row it was running is lost with it.
        job.worker.reset();
        if (job.running) Fail(job, *job.running, Text(cli_text::WorkerLost, {job.queue->label}));
        job.running.reset();
        job.over = true;
    }

    void Receive(Job& job, const std::string& line) {
        if (!job.running) return;
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line));
        auto finished = document.isObject() ? FinishedFromMessage(document.object()) : std::nullopt;
        const std::size_t row = *job.running;
        job.running.reset();
        if (!finished || finished->line != rows_[row].line) {
            Fail(job, row, Text(cli_text::WorkerLost, {job.queue->label}));
            return;
        }
        Finished(job, row, std::move(*finished));
    }

    void Fail(Job& job, std::size_t row, const std::string& reason) {
        FinishedRow failed = NotRunRow(rows_[row]);
        failed.ran = true;
        failed.code = ExitCode::Failure;
        failed.reason = reason;
        failed.json["result"] = QString::fromUtf8(ResultName(ExitCode::Failure).data());
        failed.json["exitCode"] = static_cast<int>(ExitCode::Failure);
        failed.json["message"] = QString::fromStdString(reason);
        Finished(job, row, std::move(failed));
    }

    void Finished(Job& job, std::size_t row, FinishedRow finished) {
        if (IsFailure(finished.code) && !options_.keepGoing) {
            job.over = true;
            stopping_ = true;
        }
        report_.Finished(row, job.queue->label, std::move(finished));
    }

    const std::vector<BatchRow>& rows_;
    const SchedulerOptions& options_;
    const StopSignals& stop_;
    BatchReport& report_;
    std::vector<Job> jobs_;
    bool stopping_ = false;
    // A write to a worker that has gone must fail, not end the batch.
    BrokenPipesIgnored brokenPipesIgnored_;
};

}  // namespace

void RunQueuesSideBySide(const std::vector<BatchRow>& rows, const std::vector<DeviceQueue>& queues,
                         const SchedulerOptions& options, const StopSignals& stop, BatchReport& report) {
    Scheduler(rows, queues, options, stop, report).Run();
}

}  // namespace tb::cli
