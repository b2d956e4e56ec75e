#include "cli/BatchRows.h"

#include <QJsonArray>
#include <algorithm>

#include "cli/Arguments.h"
#include "cli/CliTexts.h"
#include "cli/JsonOutput.h"
#include "cli/TerminalMessageBoxes.h"
#include "cli/WorkOptions.h"
#include "journal/WorkConditions.h"

namespace tb::cli {
namespace {

// The reason a row failed, on one line: the first line of the first page
// message that decided the outcome, and the command line's own message (why
// no page ran, or what the operation left in the logger).
std::string ReasonOf(const OperationResult& result) {
    std::string failure;
    for (const ShownBox& box : result.boxes) {
        if (OutcomeOfBox(box) == ExitCode::Done) continue;
        failure = box.request.text.substr(0, box.request.text.find('\n'));
        break;
    }
    const std::string own = result.message.substr(0, result.message.find('\n'));
    if (failure.empty() || own.empty()) return failure.empty() ? own : failure;
    return failure + " (" + own + ")";
}

std::string LoggerOf(const BatchRow& row) { return row.serial.empty() ? "-" : row.serial; }

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string S(const QJsonObject& object, const char* key) {
    return object[key].toString().toStdString();
}

// A field a worker sent: bounded as the file's fields are (a row's resolved
// references may be longer than one field of the file).
constexpr qsizetype kMaxReferencesLength = 1024;

bool FitsField(const QJsonObject& object, const char* key,
               qsizetype limit = static_cast<qsizetype>(kMaxFieldLength)) {
    return object[key].isString() && object[key].toString().toUtf8().size() <= limit;
}

}  // namespace

std::variant<CheckedRow, OperationResult> CheckRow(const BatchRow& row) {
    OperationResult failed;
    failed.logger = LoggerOf(row);
    failed.code = ExitCode::Usage;
    const ModelRow* model = FindModel(row.model);
    const std::optional<LoggerChoice> named = ParseLoggerName(row.serial);
    const std::optional<int> channel = ParseChannel(row.channel);
    const std::optional<int> kind =
        model && !row.inputKind.empty() ? FindInputKind(*model, row.inputKind) : std::nullopt;
    if (!model) {
        failed.message = Text(cli_text::UnknownModel, {row.model, ModelNames()});
    } else if (!named) {
        failed.message = Text(cli_text::BadSerial, {row.serial});
    } else if (!channel) {
        failed.message =
            Text(cli_text::BadChannel, {row.channel, row.model, std::to_string(model->channels)});
    } else if (!row.inputKind.empty() && model->inputKinds.empty()) {
        failed.message = Text(cli_text::InputKindNotForModel, {row.model});
    } else if (!row.inputKind.empty() && !kind) {
        failed.message = Text(cli_text::BadInputKind, {row.inputKind, InputKindNames(*model)});
    } else {
        CheckedRow checked{model, *named, {*channel, {{row.before1, row.after1}}, std::nullopt}};
        checked.logger.inputKind = kind;
        if (row.before2.find_first_not_of(" \t") != std::string::npos)
            checked.input.points.push_back({row.before2, row.after2});
        return checked;
    }
    return failed;
}

journal::WorkSelection ConditionsOf(const BatchRow& row) {
    journal::WorkSelection selection;
    std::size_t from = 0;
    while (from < row.references.size()) {
        const std::size_t end = std::min(row.references.find(';', from), row.references.size());
        if (end > from) selection.references.push_back(row.references.substr(from, end - from));
        from = end + 1;
    }
    const std::size_t comma = row.ambient.find(',');
    if (comma != std::string::npos) {
        selection.ambientC = row.ambient.substr(0, comma);
        selection.humidityPct = row.ambient.substr(comma + 1);
    }
    return selection;
}

void StoreConditions(BatchRow& row, const journal::WorkSelection& selection) {
    row.references.clear();
    for (const std::string& reference : selection.references)
        row.references += (row.references.empty() ? "" : ";") + reference;
    row.ambient = selection.ambientC.empty() && selection.humidityPct.empty()
                      ? std::string()
                      : selection.ambientC + "," + selection.humidityPct;
}

OperationResult RunRow(const BatchRow& row, AnswerPolicy policy, Terminal& terminal) {
    auto checked = CheckRow(row);
    if (auto* failed = std::get_if<OperationResult>(&checked)) return *failed;
    const CheckedRow& sound = std::get<CheckedRow>(checked);
    // The row's journal record names its references and conditions.
    const journal::SelectionScope conditions(ConditionsOf(row));
    return RunOperation(*sound.model, sound.logger, Operation::Adjust, sound.input, {policy, false},
                        terminal);
}

FinishedRow FinishRow(const BatchRow& row, const OperationResult& result) {
    QJsonObject json = OperationJson("adjust", row.model, result);
    json["line"] = row.line;
    json["channel"] = Q(row.channel);
    return {row.line, true, result.code, result.logger, ReasonOf(result), json};
}

FinishedRow NotRunRow(const BatchRow& row) {
    OperationResult result;
    result.logger = LoggerOf(row);
    FinishedRow finished = FinishRow(row, result);
    finished.ran = false;
    finished.reason.clear();
    finished.json["result"] = "not-run";
    return finished;
}

QJsonObject RowMessage(const BatchRow& row) {
    return {{"line", row.line},         {"model", Q(row.model)},   {"serial", Q(row.serial)},
            {"channel", Q(row.channel)}, {"before1", Q(row.before1)}, {"after1", Q(row.after1)},
            {"before2", Q(row.before2)}, {"after2", Q(row.after2)}, {"inputKind", Q(row.inputKind)},
            {"references", Q(row.references)}, {"ambient", Q(row.ambient)}};
}

std::optional<BatchRow> RowFromMessage(const QJsonObject& message) {
    for (const char* key : {"model", "serial", "channel", "before1", "after1", "before2", "after2", "inputKind"})
        if (!FitsField(message, key)) return std::nullopt;
    if (!message["line"].isDouble() || !FitsField(message, "references", kMaxReferencesLength) ||
        !FitsField(message, "ambient"))
        return std::nullopt;
    return BatchRow{message["line"].toInt(),    S(message, "model"),   S(message, "serial"),
                    S(message, "channel"),      S(message, "before1"), S(message, "after1"),
                    S(message, "before2"),      S(message, "after2"),  S(message, "inputKind"),
                    S(message, "references"),   S(message, "ambient")};
}

QJsonObject FinishedMessage(const FinishedRow& row) {
    return {{"line", row.line},
            {"code", static_cast<int>(row.code)},
            {"logger", Q(row.logger)},
            {"reason", Q(row.reason)},
            {"row", row.json}};
}

std::optional<FinishedRow> FinishedFromMessage(const QJsonObject& message) {
    const int code = message["code"].toInt(-1);
    if (!message["line"].isDouble() || code < 0 ||
        code > static_cast<int>(ExitCode::WrittenIncomplete) || !message["row"].isObject())
        return std::nullopt;
    return FinishedRow{message["line"].toInt(), true, static_cast<ExitCode>(code),
                       S(message, "logger"), S(message, "reason"), message["row"].toObject()};
}

}  // namespace tb::cli
