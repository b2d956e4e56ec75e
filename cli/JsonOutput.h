// The --json output. The shape is part of the command line's interface
// (documented in trimbench(1)): fields are only ever added, never renamed.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <string_view>

#include "cli/LoggerDirectory.h"
#include "cli/PageOperations.h"
#include "cli/Terminal.h"

namespace tb::cli {

QJsonObject CorrectionJson(const pages::Correction& correction);
QJsonArray MessagesJson(const std::vector<ShownBox>& boxes);
QJsonObject LoggerJson(const AttachedLogger& logger);

// What the operation left in the logger: "written" (its correction changed,
// read back), "unknown" (a write was started and the logger could not be
// read after it) or "unchanged".
std::string_view LoggerStateName(const OperationResult& result);

// The fields every operation reports: command, model, logger, result,
// exitCode, message, messages, written, loggerState; plus composed and
// channels (what the logger holds) where the operation has them.
QJsonObject OperationJson(std::string_view command, std::string_view model,
                          const OperationResult& result);

// {"command":"history", "model", "logger", "result", "exitCode", "message",
//  "messages", "lists":[{"caption", "rows":[[cell, ...], ...]}]}
QJsonObject HistoryJson(std::string_view model, const HistoryResult& result);

void PrintJson(Terminal& terminal, const QJsonObject& object);

}  // namespace tb::cli
