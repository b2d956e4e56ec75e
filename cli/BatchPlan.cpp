#include "cli/BatchPlan.h"

#include <algorithm>
#include <variant>

#include "cli/BatchRows.h"
#include "cli/CliTexts.h"

namespace tb::cli {
namespace {

bool NamedBy(const LoggerChoice& choice, const AttachedLogger& logger) {
    if (choice.serial) return logger.serial == choice.serial;
    if (choice.com) return logger.com == choice.com;
    return true;
}

// The ports holding a logger the row may mean.
std::vector<int> PortsFor(const ModelRow& model, const LoggerChoice& choice,
                          const std::vector<SurveyedPort>& ports) {
    std::vector<int> found;
    for (const SurveyedPort& port : ports) {
        const bool holds = std::any_of(port.loggers.begin(), port.loggers.end(), [&](const AttachedLogger& logger) {
            return Serves(model, choice.inputKind, logger) && NamedBy(choice, logger);
        });
        if (holds) found.push_back(port.com);
    }
    return found;
}

// Why no port serves the row; a busy port may hold the logger it names.
OperationResult NotFound(const BatchRow& row, const LoggerChoice& choice,
                         const std::vector<SurveyedPort>& ports) {
    OperationResult result;
    result.logger = row.serial.empty() ? "-" : row.serial;
    result.code = ExitCode::NoLogger;
    result.message = choice.serial || choice.com
                         ? Text(cli_text::NoLoggerNamed, {row.model, LoggerLabel(choice)})
                         : Text(cli_text::NoLoggerOfModel, {row.model});
    for (const SurveyedPort& port : ports)
        if (port.busy)
            result.message += "; " + Text(cli_text::PortBusy, {"COM" + std::to_string(port.com)});
    return result;
}

OperationResult Usage(const BatchRow& row, std::string message) {
    OperationResult result;
    result.logger = row.serial.empty() ? "-" : row.serial;
    result.code = ExitCode::Usage;
    result.message = std::move(message);
    return result;
}

// The row's one port, or the result of a row that cannot run.
std::variant<int, OperationResult> Place(const BatchRow& row, const std::vector<SurveyedPort>& ports) {
    auto checked = CheckRow(row);
    if (auto* failed = std::get_if<OperationResult>(&checked)) return std::move(*failed);
    const ModelRow& model = *std::get<CheckedRow>(checked).model;
    const LoggerChoice& choice = std::get<CheckedRow>(checked).logger;
    if (choice.serial && model.transport == Transport::Cable)
        return Usage(row, Text(cli_text::SerialNotForModel, {row.model}));
    if (choice.com && model.transport == Transport::BaseUnit)
        return Usage(row, Text(cli_text::PortNotForModel, {row.model}));
    const std::vector<int> found = PortsFor(model, choice, ports);
    if (found.empty()) return NotFound(row, choice, ports);
    if (found.size() > 1) {
        std::string labels;
        for (int com : found) labels += (labels.empty() ? "" : ", ") + LoggerLabel({std::nullopt, com, std::nullopt});
        return Usage(row, Text(cli_text::SeveralLoggers, {row.model, labels}));
    }
    return found.front();
}

}  // namespace

BatchPlan PlanBatch(const std::vector<BatchRow>& rows, const std::vector<SurveyedPort>& ports) {
    BatchPlan plan;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto placed = Place(rows[i], ports);
        if (auto* failed = std::get_if<OperationResult>(&placed)) {
            plan.unplaced.push_back({i, std::move(*failed)});
            continue;
        }
        const int com = std::get<int>(placed);
        auto queue = std::find_if(plan.devices.begin(), plan.devices.end(),
                                  [&](const DeviceQueue& each) { return each.com == com; });
        if (queue == plan.devices.end()) {
            plan.devices.push_back({com, "COM" + std::to_string(com), {}});
            queue = plan.devices.end() - 1;
        }
        queue->rows.push_back(i);
    }
    return plan;
}

}  // namespace tb::cli
