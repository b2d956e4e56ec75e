// trimbench batch FILE.csv [--yes | --dry-run] [--keep-going] [--json]
#include <QFile>
#include <iomanip>

#include "cli/Arguments.h"
#include "cli/BatchFile.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/PageMessages.h"
#include "cli/WorkOptions.h"

namespace tb::cli {
namespace {

struct RowOutcome {
    const BatchRow* row = nullptr;
    bool ran = false;
    std::string model;
    OperationResult result;
};

// The first line of the reason a row failed: the command line's own
// message, else the first page message that decided the outcome.
std::string ReasonOf(const OperationResult& result) {
    std::string reason = result.message;
    for (const ShownBox& box : result.boxes) {
        if (!reason.empty()) break;
        if (OutcomeOfBox(box) != ExitCode::Done) reason = box.request.text;
    }
    return reason.substr(0, reason.find('\n'));
}

// One row through the same operation as `adjust`.
OperationResult RunRow(const BatchRow& row, AnswerPolicy policy, Terminal& terminal) {
    OperationResult failed;
    failed.logger = row.serial.empty() ? "-" : row.serial;
    const ModelRow* model = FindModel(row.model);
    const auto choice = ParseLoggerName(row.serial);
    const auto channel = ParseChannel(row.channel);
    failed.code = ExitCode::Usage;
    if (!model) {
        failed.message = Text(T::UnknownModel, {row.model, ModelNames()});
    } else if (!choice) {
        failed.message = Text(T::BadSerial, {row.serial});
    } else if (!channel) {
        failed.message = Text(T::BadChannel, {row.channel, row.model,
                                              std::to_string(model->channels)});
    } else if (!row.inputKind.empty() && model->inputKinds.empty()) {
        failed.message = Text(T::InputKindNotForModel, {row.model});
    } else if (!row.inputKind.empty() && !FindInputKind(*model, row.inputKind)) {
        failed.message = Text(T::BadInputKind, {row.inputKind, InputKindNames(*model)});
    } else {
        LoggerChoice named = *choice;
        if (!row.inputKind.empty()) named.inputKind = FindInputKind(*model, row.inputKind);
        AdjustInput input{*channel, {{row.before1, row.after1}}, std::nullopt};
        if (row.before2.find_first_not_of(" \t") != std::string::npos)
            input.points.push_back({row.before2, row.after2});
        return RunOperation(*model, named, Operation::Adjust, input, {policy, false}, terminal);
    }
    return failed;
}

void DrawProgress(std::size_t done, std::size_t total, bool last, Terminal& terminal) {
    if (!terminal.interactive) return;
    constexpr std::size_t kWidth = 30;
    const std::size_t filled = total ? done * kWidth / total : kWidth;
    terminal.err << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] "
                 << done << '/' << total << (last ? "\n" : "");
    terminal.err.flush();
}

void PrintSummary(const std::vector<RowOutcome>& rows, Terminal& terminal) {
    auto& out = terminal.out;
    out << std::left << std::setw(6) << Text(T::SummaryRow) << std::setw(10)
        << Text(T::SummaryLogger) << std::setw(9) << Text(T::SummaryChannel) << std::setw(15)
        << Text(T::SummaryResult) << '\n';
    std::size_t failed = 0;
    for (const RowOutcome& outcome : rows) {
        const std::string result =
            outcome.ran ? std::string(ResultName(outcome.result.code)) : Text(T::NotRun);
        out << std::setw(6) << outcome.row->line << std::setw(10) << outcome.result.logger
            << std::setw(9) << outcome.row->channel << std::setw(15) << result
            << (outcome.ran ? ReasonOf(outcome.result) : std::string()) << '\n';
        if (outcome.result.code != ExitCode::Done || !outcome.ran) ++failed;
    }
    out << (failed == 0 ? Text(T::SummaryDone, {std::to_string(rows.size())})
                        : Text(T::SummaryFailed, {std::to_string(failed), std::to_string(rows.size())}))
        << '\n';
}

QJsonObject SummaryJson(const std::vector<RowOutcome>& rows, ExitCode code) {
    QJsonArray array;
    for (const RowOutcome& outcome : rows) {
        QJsonObject row = OperationJson("adjust", outcome.row->model, outcome.result);
        row["line"] = outcome.row->line;
        row["channel"] = QString::fromStdString(outcome.row->channel);
        if (!outcome.ran) row["result"] = "not-run";
        array.append(row);
    }
    return {{"command", "batch"},
            {"result", QString::fromUtf8(ResultName(code).data())},
            {"exitCode", static_cast<int>(code)},
            {"rows", array}};
}

// The file's text; nothing after the error was reported.
std::optional<std::string> ReadBatchText(const QString& path, Terminal& terminal) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        terminal.err << "trimbench: " << Text(T::CannotReadFile, {path.toStdString()}) << '\n';
        return std::nullopt;
    }
    // One byte more than allowed tells the parser the file is too large.
    return file.read(static_cast<qint64>(kMaxBatchBytes) + 1).toStdString();
}

}  // namespace

int RunBatch(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(T::HelpBatch, "FILE.csv");
    parser.AddFlag("yes", T::OptYes);
    parser.AddFlag("dry-run", T::OptDryRun);
    parser.AddFlag("keep-going", T::OptKeepGoing);
    AddWorkOptions(parser);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit)) return exit;
    const auto policy = parser.Policy(terminal, exit);
    if (!policy) return exit;
    if (parser.Positional().size() != 1)
        return UsageError(terminal, Text(T::BatchHeader));

    const auto text = ReadBatchText(parser.Positional().front(), terminal);
    if (!text) return static_cast<int>(ExitCode::Failure);
    const BatchFile file = ParseBatchFile(*text);
    if (!file.error.empty()) {
        return UsageError(terminal, file.errorLine > 0
                                        ? Text(T::BatchLine, {std::to_string(file.errorLine), file.error})
                                        : file.error);
    }

    const auto selection = WorkSelectionOf(parser, terminal, exit);
    if (!selection) return exit;
    std::vector<journal::WorkSelection> conditions(file.rows.size(), *selection);
    for (std::size_t i = 0; i < file.rows.size(); ++i) {
        const BatchRow& row = file.rows[i];
        const std::string problem = RowSelection(row.references, row.ambient,
                                                 parser.IsSet("allow-expired-reference"), conditions[i]);
        if (problem.empty()) continue;
        terminal.err << "trimbench: " << Text(T::BatchRowConditions, {std::to_string(row.line), problem})
                     << '\n';
        return static_cast<int>(ExitCode::RefusedInput);
    }

    std::vector<RowOutcome> rows;
    for (const BatchRow& row : file.rows) rows.push_back({&row, false, row.model, {}});
    ExitCode code = ExitCode::Done;
    std::size_t ran = 0;
    for (; ran < rows.size(); ++ran) {
        if (code != ExitCode::Done && !parser.IsSet("keep-going")) break;
        DrawProgress(ran, rows.size(), false, terminal);
        const journal::SelectionScope scope(conditions[ran]);
        rows[ran].result = RunRow(*rows[ran].row, *policy, terminal);
        rows[ran].ran = true;
        code = Worse(code, rows[ran].result.code);
    }
    DrawProgress(ran, rows.size(), true, terminal);
    for (RowOutcome& outcome : rows)
        if (!outcome.ran) outcome.result.logger = outcome.row->serial.empty() ? "-" : outcome.row->serial;
    if (parser.IsSet("json")) {
        PrintJson(terminal, SummaryJson(rows, code));
    } else {
        PrintSummary(rows, terminal);
    }
    return static_cast<int>(code);
}

}  // namespace tb::cli
