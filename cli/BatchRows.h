// One row of `trimbench batch`: checked, run through the same operation as
// `adjust`, and turned into what the batch reports of it. A worker process
// runs rows on its device and sends the finished rows back in the same form.
#pragma once

#include <QJsonObject>
#include <optional>
#include <string>

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

// The faults of a row that need no logger to find (unknown model, bad
// serial or channel, an input kind the model lacks); nothing for a sound row.
std::optional<OperationResult> CheckRow(const BatchRow& row);

// The choice of logger the row names (its serial or COM number and its
// input kind); only for a row CheckRow accepted.
LoggerChoice RowChoice(const BatchRow& row);

// A row's references and conditions once the batch has checked them
// (ResolveConditions): its references and ambient fields then hold them
// whole, so that a worker records them as the batch would.
void ResolveConditions(BatchRow& row, const journal::WorkSelection& selection);
journal::WorkSelection ResolvedConditions(const BatchRow& row);

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
