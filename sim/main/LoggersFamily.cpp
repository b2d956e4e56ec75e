#include "sim/main/LoggersFamily.h"

#include <memory>
#include <stdexcept>

#include "sim/baseunit/BaseUnit.h"
#include "sim/loggers/Lgr890CableDevice.h"
#include "sim/loggers/LoggerModels.h"
#include "sim/loggers/SimulatedLogger.h"

namespace tb::sim {
namespace {

// Serial numbers of the base units this family adds: 00820001 upwards.
constexpr uint32_t kFirstSerial = 0x00820001;

loggers::LoggerModel ModelOption(const std::string& name) {
    const auto model = loggers::ModelForName(name);
    if (!model) {
        throw std::invalid_argument("--logger: unknown logger \"" + name +
                                    "\" (820, 821, 830, 835, 850-tc, 850-pt, 850-ma, 850-v, "
                                    "850-noise or a device code such as 0x5D)");
    }
    return *model;
}

void ArmFault(const std::string& text, loggers::LoggerFaults& faults) {
    const auto [name, count] = ParseFaultOption("--logger-fault", text);
    if (name == "wrong-word")
        faults.wrongWord = count;
    else if (name == "no-status")
        faults.missingStatus = count;
    else if (name == "no-data")
        faults.missingData = count;
    else if (name == "short-data")
        faults.shortData = count;
    else if (name == "bad-check")
        faults.badCheck = count;
    else if (name == "read-back-differs")
        faults.readBackDiffers = count;
    else if (name == "silence")
        faults.silence = count;
    else if (name == "refuse-15" || name == "refuse-13" || name == "refuse-0f") {
        faults.refusals = count;
        faults.refusalCode = static_cast<uint8_t>(std::stoi(name.substr(7), nullptr, 16));
    } else {
        throw std::invalid_argument(
            "--logger-fault: unknown fault \"" + name +
            "\" (wrong-word, no-status, no-data, short-data, bad-check, refuse-15, refuse-13, "
            "refuse-0f, read-back-differs, silence; NAME:N for N replies, -1 for all)");
    }
}

loggers::LoggerFaults FaultOptions(const OptionValues& values) {
    loggers::LoggerFaults faults;
    const auto it = values.find("--logger-fault");
    if (it != values.end()) {
        for (const auto& text : it->second) ArmFault(text, faults);
    }
    return faults;
}

void AddLoggerUnit(Bench& bench, const loggers::LoggerModel& model, uint32_t serial,
                   const loggers::LoggerFaults& faults) {
    auto logger = std::make_shared<loggers::SimulatedLogger>(model);
    logger->Faults() = faults;
    bench.Add(std::make_unique<BaseUnit>(BaseUnitConfig{.serial = serial}, logger));
}

void AddCable(Bench& bench, const loggers::LoggerFaults& faults) {
    auto cable = std::make_unique<loggers::Lgr890CableDevice>();
    cable->Faults() = faults;
    bench.Add(std::move(cable));
}

}  // namespace

Family LoggersFamily() {
    Family family;
    family.name = "loggers";
    family.options = {
        {"--logger", "MODEL",
         "add a base unit (product P1) with a logger behind it: 820, 821, 830, 835, 850-tc, "
         "850-pt, 850-ma, 850-v, 850-noise or a device code such as 0x5D; repeatable"},
        {"--lgr890", "", "add the model-890 logger on its serial cable (2400 baud, product P6)"},
        {"--logger-fault", "FAULT[:N]",
         "arm a fault on those loggers and the cable: wrong-word, no-status, no-data, "
         "short-data, bad-check, refuse-15, refuse-13, refuse-0f, read-back-differs, silence"},
    };
    family.build = [](const OptionValues& values, Bench& bench) {
        const auto faults = FaultOptions(values);
        const auto it = values.find("--logger");
        uint32_t serial = kFirstSerial;
        if (it != values.end()) {
            for (const auto& name : it->second)
                AddLoggerUnit(bench, ModelOption(name), serial++, faults);
        }
        if (HasOption(values, "--lgr890")) AddCable(bench, faults);
    };
    family.addDefault = [](Bench& bench) {
        AddLoggerUnit(bench, *loggers::ModelForName("820"), kFirstSerial, {});
        AddCable(bench, {});
    };
    return family;
}

}  // namespace tb::sim
