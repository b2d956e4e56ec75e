#include "cli/BatchWorker.h"

#include <unistd.h>

#include <csignal>

#include <QJsonDocument>
#include <cerrno>
#include <sstream>
#include <vector>

#include "cli/ExitCode.h"
#include "cli/PortSurvey.h"
#include "cli/WorkerPipes.h"

namespace tb::cli {
namespace {

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent));
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        sent += wrote;
    }
    return true;
}

QByteArray JsonLine(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<QJsonObject> ParseLine(const std::string& line) {
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line));
    if (!document.isObject()) return std::nullopt;
    return document.object();
}

}  // namespace

bool LineReader::Fill() {
    char chunk[4096];
    const ssize_t got = read(fd_, chunk, sizeof chunk);
    if (got < 0) {
        if (errno == EINTR || errno == EAGAIN) return true;
        ended_ = true;
        return false;
    }
    if (got == 0) {
        ended_ = true;
        return false;
    }
    for (ssize_t i = 0; i < got; ++i) {
        const char c = chunk[i];
        if (dropping_ && c != '\n') continue;
        dropping_ = false;
        buffer_ += c;
        lineLength_ = c == '\n' ? 0 : lineLength_ + 1;
        if (lineLength_ == kMaxLine) dropping_ = true;
    }
    return true;
}

std::optional<std::string> LineReader::Take() {
    const std::size_t end = buffer_.find('\n');
    if (end == std::string::npos) return std::nullopt;
    std::string line = buffer_.substr(0, end);
    buffer_.erase(0, end + 1);
    return line;
}

std::optional<std::string> LineReader::Next() {
    for (;;) {
        if (auto line = Take()) return line;
        if (ended_ || !Fill()) return Take();
    }
}

int RunBatchWorker(const QStringList& arguments, Terminal& terminal) {
    signal(SIGINT, SIG_IGN);
    signal(SIGTERM, SIG_IGN);
    // Only the finished rows reach the batch: anything else the process
    // prints goes to the error stream.
    const int protocol = TakeRowStream();
    if (arguments.contains("--survey")) {
        const QByteArray line = JsonLine(SurveyedJson(SurveyOwnPort()));
        return WriteAll(protocol, line) ? static_cast<int>(ExitCode::Done) : static_cast<int>(ExitCode::Failure);
    }
    const AnswerPolicy policy = arguments.contains("--dry-run") ? AnswerPolicy::DryRun : AnswerPolicy::Yes;
    std::istringstream noAnswers;
    Terminal quiet{terminal.err, terminal.err, noAnswers, false};
    LineReader input(STDIN_FILENO);
    while (const auto line = input.Next()) {
        const auto message = ParseLine(*line);
        const auto row = message ? RowFromMessage(*message) : std::nullopt;
        if (!row) return static_cast<int>(ExitCode::Failure);
        const FinishedRow finished = FinishRow(*row, RunRow(*row, policy, quiet));
        if (!WriteAll(protocol, JsonLine(FinishedMessage(finished))))
            return static_cast<int>(ExitCode::Failure);
    }
    close(protocol);
    return static_cast<int>(ExitCode::Done);
}

std::string WorkerProcess::RowsOption(AnswerPolicy policy) {
    return policy == AnswerPolicy::DryRun ? "--dry-run" : "--yes";
}

std::unique_ptr<WorkerProcess> WorkerProcess::Start(int com, const std::string& option, std::string& error) {
    const std::optional<SpawnedProcess> spawned =
        SpawnWithPipes(OwnProgramPath(), {kWorkerCommand, option}, ConfinementEntry(com), error);
    if (!spawned) return nullptr;
    return std::unique_ptr<WorkerProcess>(new WorkerProcess(spawned->process, spawned->input, spawned->output));
}

WorkerProcess::~WorkerProcess() {
    Finish();
    close(output_);
    AwaitProcess(process_);
}

bool WorkerProcess::Send(const BatchRow& row) {
    return input_ >= 0 && WriteAll(input_, JsonLine(RowMessage(row)));
}

void WorkerProcess::Finish() {
    if (input_ >= 0) close(input_);
    input_ = -1;
}

}  // namespace tb::cli
