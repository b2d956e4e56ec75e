// One row of `trimbench batch`: checked, run through the same operation as
// `adjust`, and turned into what the batch reports of it. A worker process
// runs rows on its device and sends the finished rows back in the same form.
#pragma once

#include <QJsonObject>
#include <optional>
#include <string>
#include <variant>

#include "cli/BatchFile.h"
#include "cli/ExitCode.h"
#include "cli/PageOperations.h"
#include "journal/WorkConditions.h"

namespace tb::cli {

// What the batch reports of a row: its line and result, the logger it
// reached, the first line of the reason it failed, and its --json object.
struct FinishedRow {
    int line = 0;
    bool ran = false;
    ExitCode code = ExitCode::Done;
    std::string logger;
    std::string reason;
    QJsonObject json;
};

// A row as the page is to run it: its model, the logger it names (serial or
// COM number, input kind) and what is entered (channel and points).
struct CheckedRow {
    const ModelRow* model = nullptr;
    LoggerChoice logger;
    AdjustInput input;
};

// The row checked for the faults that need no logger to find (unknown
// model, bad serial or channel, an input kind the model lacks): the checked
// row, or the result of a row that cannot run.
std::variant<CheckedRow, OperationResult> CheckRow(const BatchRow& row);

// Writes the references and conditions the batch checked for a row into
// its references and ambient fields, whole, so that a worker records them
// as the batch would.
void StoreConditions(BatchRow& row, const journal::WorkSelection& selection);
// The references and conditions a row's fields hold.
journal::WorkSelection ConditionsOf(const BatchRow& row);

// The row through the page, as `adjust` runs it, recording its conditions.
OperationResult RunRow(const BatchRow& row, AnswerPolicy policy, Terminal& terminal);

FinishedRow FinishRow(const BatchRow& row, const OperationResult& result);
FinishedRow NotRunRow(const BatchRow& row);

// The row and a finished row as one line of JSON between the batch and
// its workers; nothing for a line that is not one.
QJsonObject RowMessage(const BatchRow& row);
std::optional<BatchRow> RowFromMessage(const QJsonObject& message);
QJsonObject FinishedMessage(const FinishedRow& row);
std::optional<FinishedRow> FinishedFromMessage(const QJsonObject& message);

}  // namespace tb::cli
