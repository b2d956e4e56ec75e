#include "cli/LoggerChoosing.h"

#include <algorithm>
#include <vector>

#include "cli/CliTexts.h"
#include "cli/LoggerDirectory.h"
#include "client/BaseUnitDiscovery.h"

namespace tb::cli {
namespace {

// Every attached logger of the model (with that input kind, if one is
// asked for), as choices.
std::vector<LoggerChoice> CandidatesOf(const ModelRow& row, std::optional<int> inputKind) {
    std::vector<LoggerChoice> found;
    switch (row.transport) {
        case Transport::BaseUnit:
            for (uint32_t key : client::ListBaseUnits()) {
                const auto settings = client::ReadUnitSettings(key);
                if (!settings) continue;
                if (const auto kind = ServedKind(row, inputKind, *settings))
                    found.push_back({key, std::nullopt, row.inputKinds.empty() ? std::nullopt : kind});
            }
            break;
        case Transport::Cable:
            for (int com : client::ListSerialPorts()) found.push_back({std::nullopt, com, std::nullopt});
            break;
        case Transport::DirectUsb:
            for (const AttachedLogger& logger : DirectUsbLoggers(row))
                found.push_back({logger.serial, logger.com, std::nullopt});
            break;
    }
    return found;
}

// A direct-USB logger named by serial or COM number, as the list has it
// (with both numbers); nothing when it is not attached.
std::optional<LoggerChoice> NamedDirectUsb(const ModelRow& row, const LoggerChoice& choice) {
    for (const LoggerChoice& each : CandidatesOf(row, std::nullopt)) {
        if ((choice.serial && each.serial == choice.serial) || (choice.com && each.com == choice.com))
            return each;
    }
    return std::nullopt;
}

// The input kind of a named multi-input logger, from its settings; the
// page's first kind when they cannot be read (the page then reports it).
std::optional<int> NamedLoggerKind(const ModelRow& row, const LoggerChoice& choice) {
    if (row.inputKinds.empty() || choice.inputKind || !choice.serial) return choice.inputKind;
    // A unit is opened by its serial once discovery has found it on its port.
    const std::vector<uint32_t> units = client::ListBaseUnits();
    const bool found = std::find(units.begin(), units.end(), *choice.serial) != units.end();
    const auto settings = found ? client::ReadUnitSettings(*choice.serial) : std::nullopt;
    const auto kind = settings ? ServedKind(row, std::nullopt, *settings) : std::nullopt;
    return kind.value_or(row.inputKinds.front().index);
}

}  // namespace

ExitCode ChooseLogger(const ModelRow& row, const LoggerChoice& choice, LoggerChoice& chosen,
                      std::string& message) {
    const std::string model(row.model);
    if (choice.serial && row.transport == Transport::Cable) {
        message = Text(cli_text::SerialNotForModel, {model});
        return ExitCode::Usage;
    }
    if (choice.com && row.transport == Transport::BaseUnit) {
        message = Text(cli_text::PortNotForModel, {model});
        return ExitCode::Usage;
    }
    if ((choice.serial || choice.com) && row.transport == Transport::DirectUsb) {
        // The page talks to the one logger of its model that is attached:
        // the named one must be there.
        const auto named = NamedDirectUsb(row, choice);
        if (!named) {
            message = Text(cli_text::NoLoggerNamed, {model, LoggerLabel(choice)});
            return ExitCode::NoLogger;
        }
        chosen = *named;
        return ExitCode::Done;
    }
    if (choice.serial || choice.com) {
        // Named: the page's own check finds it or reports it missing.
        chosen = choice;
        chosen.inputKind = NamedLoggerKind(row, choice);
        return ExitCode::Done;
    }
    const std::vector<LoggerChoice> found = CandidatesOf(row, choice.inputKind);
    if (found.empty()) {
        message = Text(cli_text::NoLoggerOfModel, {model});
        return ExitCode::NoLogger;
    }
    if (found.size() > 1) {
        std::string labels;
        for (const LoggerChoice& each : found)
            labels += (labels.empty() ? "" : ", ") + LoggerLabel(each);
        message = Text(cli_text::SeveralLoggers, {model, labels});
        return ExitCode::Usage;
    }
    chosen = found.front();
    return ExitCode::Done;
}

bool IsAttached(const ModelRow& row, const LoggerChoice& chosen) {
    for (const LoggerChoice& each : CandidatesOf(row, chosen.inputKind))
        if (each.serial == chosen.serial && each.com == chosen.com) return true;
    return false;
}

PinnedLogger::PinnedLogger(const LoggerChoice& chosen) {
    client::PinBaseUnit(chosen.serial);
    client::PinSerialPort(chosen.com);
}

PinnedLogger::~PinnedLogger() {
    client::PinBaseUnit(std::nullopt);
    client::PinSerialPort(std::nullopt);
}

}  // namespace tb::cli
