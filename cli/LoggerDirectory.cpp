#include "cli/LoggerDirectory.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "cli/CliTexts.h"
#include "client/BaseUnitDiscovery.h"
#include "client/CommandExchange.h"
#include "client/LanUnitLink.h"
#include "pages/lgr87x/DirectUsbModels.h"
#include "pages/lgr87x/ModelcomDirectUsbLogger.h"

namespace tb::cli {
namespace {

constexpr std::size_t kDeviceCodeAt = 62;

std::string Hex8(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

std::string DeviceCodeText(std::span<const uint8_t, 64> settings) {
    char text[24];
    std::snprintf(text, sizeof text, "device code 0x%02X", settings[kDeviceCodeAt]);
    return text;
}

// The input kind under which a row serves the logger: the one asked for,
// else the first the settings accept (0 for rows without input kinds).
std::optional<int> ServedKind(const ModelRow& row, std::optional<int> asked,
                              std::span<const uint8_t, 64> settings) {
    if (row.transport != Transport::BaseUnit) return std::nullopt;
    if (asked) return row.accepts(*asked, settings) ? asked : std::nullopt;
    if (row.inputKinds.empty()) return row.accepts(0, settings) ? std::optional<int>(0) : std::nullopt;
    for (const InputKindName& kind : row.inputKinds)
        if (row.accepts(kind.index, settings)) return kind.index;
    return std::nullopt;
}

// "820/821" for a logger that both rows serve; "850 tc" with the input kind.
std::string ModelsAccepting(std::span<const uint8_t, 64> settings) {
    std::string names;
    for (const ModelRow& row : Models()) {
        const auto kind = ServedKind(row, std::nullopt, settings);
        if (!kind) continue;
        if (!names.empty()) names += '/';
        names += row.model;
        for (const InputKindName& name : row.inputKinds)
            if (name.index == *kind) names += " " + std::string(name.name);
    }
    return names;
}

AttachedLogger BaseUnitEntry(uint32_t key) {
    AttachedLogger entry{{}, {}, key, std::nullopt, "usb-base-unit", std::nullopt};
    if (const auto settings = client::ReadUnitSettings(key)) {
        entry.model = ModelsAccepting(*settings);
        entry.detail = DeviceCodeText(*settings);
        entry.settings = settings;
    }
    return entry;
}

// The loggers of one direct-USB model on their own USB ports, searched as
// the model's page searches them.
std::vector<AttachedLogger> DirectUsbLoggers(const pages::lgr87x::ModelTable& model) {
    std::vector<AttachedLogger> list;
    const auto logger = pages::lgr87x::MakeModelcomLogger(model);
    for (const pages::lgr87x::FoundLogger& found : logger->Search()) {
        std::string detail = "type " + std::to_string(found.modelCode);
        if (!found.name.empty()) detail += ", " + found.name;
        list.push_back(
            {std::string(model.name), detail, found.key, found.port, "usb", std::nullopt});
    }
    return list;
}

// The loggers of the direct-USB model of that name; none for other names.
std::vector<AttachedLogger> DirectUsbLoggers(std::string_view name) {
    const pages::lgr87x::ModelTable* model = pages::lgr87x::FindDirectUsbModel(name);
    return model != nullptr ? DirectUsbLoggers(*model) : std::vector<AttachedLogger>{};
}

}  // namespace

std::vector<AttachedLogger> ListAttached() {
    std::vector<AttachedLogger> list;
    for (uint32_t key : client::ListBaseUnits()) list.push_back(BaseUnitEntry(key));
    for (int com : client::ListSerialPorts())
        list.push_back({"890", {}, std::nullopt, com, "cable", std::nullopt});
    for (const pages::lgr87x::ModelTable* model : pages::lgr87x::DirectUsbModels()) {
        const auto loggers = DirectUsbLoggers(*model);
        list.insert(list.end(), loggers.begin(), loggers.end());
    }
    return list;
}

std::optional<AttachedLogger> ListLanUnit(const std::string& host, int port,
                                          const std::string& login, int& error) {
    const client::LanUnitLink link(host, port, login);
    error = link.OpenError();
    if (error != 0) return std::nullopt;
    client::CommandExchange exchange(64);
    error = client::SettingsRead(link.Key(), exchange);
    if (error != 0) return std::nullopt;
    std::array<uint8_t, 64> settings{};
    std::copy(exchange.block.begin(), exchange.block.end(), settings.begin());
    AttachedLogger entry{{}, {}, std::nullopt, std::nullopt, "lan", std::nullopt};
    entry.model = ModelsAccepting(settings);
    entry.detail = host + ":" + std::to_string(port) + ", " + DeviceCodeText(settings);
    return entry;
}

bool Serves(const ModelRow& row, std::optional<int> inputKind, const AttachedLogger& logger) {
    switch (row.transport) {
        case Transport::BaseUnit:
            return logger.via == "usb-base-unit" && logger.settings &&
                   ServedKind(row, inputKind, *logger.settings).has_value();
        case Transport::Cable:
            return logger.via == "cable";
        case Transport::DirectUsb:
            return logger.via == "usb" && logger.model == row.model;
    }
    return false;
}

std::string LoggerLabel(const LoggerChoice& choice) {
    if (choice.serial) return Hex8(*choice.serial);
    if (choice.com) return "COM" + std::to_string(*choice.com);
    return "-";
}

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
            for (const AttachedLogger& logger : DirectUsbLoggers(row.model))
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
