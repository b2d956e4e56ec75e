// trimbench batch FILE.csv [--yes | --dry-run] [--keep-going] [--jobs N] [--json]
#include <QFile>
#include <algorithm>

#include "cli/BatchFile.h"
#include "cli/BatchPlan.h"
#include "cli/BatchReport.h"
#include "cli/BatchRows.h"
#include "cli/BatchScheduler.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/PortSurvey.h"
#include "cli/StopSignals.h"
#include "cli/WorkOptions.h"

namespace tb::cli {
namespace {

constexpr int kMaxJobs = 64;

// The file's text; nothing after the error was reported.
std::optional<std::string> ReadBatchText(const QString& path, Terminal& terminal) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        terminal.err << "trimbench: " << Text(cli_text::CannotReadFile, {path.toStdString()})
                     << '\n';
        return std::nullopt;
    }
    // One byte more than allowed tells the parser the file is too large.
    return file.read(static_cast<qint64>(kMaxBatchBytes) + 1).toStdString();
}

// --jobs: 0 when not given; nothing after the error was reported.
std::optional<int> JobsOption(const CommandParser& parser, Terminal& terminal, int& exit) {
    if (!parser.IsSet("jobs")) return 0;
    bool number = false;
    const int jobs = QString::fromStdString(parser.Value("jobs")).toInt(&number);
    if (number && jobs >= 1 && jobs <= kMaxJobs) return jobs;
    exit = UsageError(terminal, Text(cli_text::BadJobs, {parser.Value("jobs")}));
    return std::nullopt;
}

// Every row in this process, one after another.
void RunRowAfterRow(const std::vector<BatchRow>& rows, AnswerPolicy policy, bool keepGoing,
                    const StopSignals& stop, BatchReport& report, Terminal& terminal) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (stop.Stopped() || (!keepGoing && IsFailure(report.FirstFailure()))) return;
        FinishedRow finished;
        {
            const SignalsHeldBack held;
            finished = FinishRow(rows[i], RunRow(rows[i], policy, terminal));
        }
        report.Finished(i, {}, std::move(finished));
    }
}

// The rows on their devices side by side; false when there is only one
// device to run (the rows then run in this process).
bool RunSideBySide(const std::vector<BatchRow>& rows, const SchedulerOptions& asked,
                   const StopSignals& stop, BatchReport& report) {
    const BatchPlan plan = PlanBatch(rows, SurveyPorts());
    SchedulerOptions options = asked;
    const int devices = static_cast<int>(plan.devices.size());
    options.jobs = options.jobs == 0 ? devices : std::min(options.jobs, devices);
    if (options.jobs < 2) return false;
    // A row that names no attached logger fails before any row starts.
    for (const UnplacedRow& unplaced : plan.unplaced)
        report.Finished(unplaced.row, {}, FinishRow(rows[unplaced.row], unplaced.result));
    if (!plan.unplaced.empty() && !options.keepGoing) return true;
    RunQueuesSideBySide(rows, plan.devices, options, stop, report);
    return true;
}

}  // namespace

int RunBatch(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(cli_text::HelpBatch, "FILE.csv");
    parser.AddFlag("yes", cli_text::OptYes);
    parser.AddFlag("dry-run", cli_text::OptDryRun);
    parser.AddFlag("keep-going", cli_text::OptKeepGoing);
    parser.AddValue("jobs", cli_text::OptJobs, "N");
    AddWorkOptions(parser);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit)) return exit;
    const auto policy = parser.Policy(terminal, exit);
    if (!policy) return exit;
    const auto jobs = JobsOption(parser, terminal, exit);
    if (!jobs) return exit;
    if (parser.Positional().size() != 1) return UsageError(terminal, Text(cli_text::BatchHeader));

    const auto text = ReadBatchText(parser.Positional().front(), terminal);
    if (!text) return static_cast<int>(ExitCode::Failure);
    BatchFile file = ParseBatchFile(*text);
    if (!file.error.empty()) {
        return UsageError(
            terminal, file.errorLine > 0
                          ? Text(cli_text::BatchLine, {std::to_string(file.errorLine), file.error})
                          : file.error);
    }

    // The references and conditions of every row, checked before any row
    // runs: one refused row refuses the batch.
    const auto selection = WorkSelectionOf(parser, terminal, exit);
    if (!selection) return exit;
    for (BatchRow& row : file.rows) {
        journal::WorkSelection conditions = *selection;
        const std::string problem = RowSelection(row.references, row.ambient,
                                                 parser.IsSet("allow-expired-reference"), conditions);
        if (!problem.empty()) {
            terminal.err << "trimbench: "
                         << Text(cli_text::BatchRowConditions, {std::to_string(row.line), problem})
                         << '\n';
            return static_cast<int>(ExitCode::RefusedInput);
        }
        StoreConditions(row, conditions);
    }

    const StopSignals stop(*policy != AnswerPolicy::Ask);
    const bool keepGoing = parser.IsSet("keep-going");
    BatchReport report(file.rows, parser.IsSet("json"), terminal);
    // Questions are asked one row at a time: without --yes or --dry-run
    // the rows run one after another.
    const bool sideBySide = *policy != AnswerPolicy::Ask && *jobs != 1 &&
                            RunSideBySide(file.rows, {*jobs, *policy, keepGoing}, stop, report);
    if (!sideBySide) RunRowAfterRow(file.rows, *policy, keepGoing, stop, report, terminal);

    const ExitCode code = report.FirstFailure();
    report.PrintEnd(code, stop.Stopped());
    return stop.Stopped() ? kInterruptedExit : static_cast<int>(code);
}

}  // namespace tb::cli
