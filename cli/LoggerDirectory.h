// Finding loggers: what `list` prints, and which logger a command talks to.
//
// Base units are found with the command client's discovery and identified
// by the settings block of the logger behind them; the model-890 cable by
// its COM number; the direct-USB loggers through the pages' search of each
// model (pages/lgr87x/DirectUsbLogger.h). A command then pins the one logger it
// talks to, so that every operation of the page reaches that logger only.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandValues.h"
#include "cli/ExitCode.h"
#include "cli/ModelNames.h"

namespace tb::cli {

struct AttachedLogger {
    std::string model;   // "820/821", "890", "870", ...; empty when not known
    std::string detail;  // device code, type code or names
    std::optional<uint32_t> serial;
    std::optional<int> com;
    std::string via;  // "usb-base-unit", "cable", "usb", "lan"
    std::optional<std::array<uint8_t, 64>> settings;  // a base unit's logger, when read
};

// Every attached logger: base units first, then the cable, then the
// direct-USB loggers.
std::vector<AttachedLogger> ListAttached();

// The base unit on the LAN and the logger behind it; nothing after `error`
// was set to the link library's code.
std::optional<AttachedLogger> ListLanUnit(const std::string& host, int port,
                                          const std::string& login, int& error);

// Whether the model's page serves the listed logger (under that input
// kind, if one is asked for).
bool Serves(const ModelRow& row, std::optional<int> inputKind, const AttachedLogger& logger);

// "00A1B2C3" or "COM5".
std::string LoggerLabel(const LoggerChoice& choice);

// Resolves the choice for a model: Done with `chosen` filled, or NoLogger /
// Usage with `message` saying why.
ExitCode ChooseLogger(const ModelRow& row, const LoggerChoice& choice, LoggerChoice& chosen,
                      std::string& message);

// Whether the chosen logger is (still) attached and of the model.
bool IsAttached(const ModelRow& row, const LoggerChoice& chosen);

// Pins the chosen logger for the command client while it lives.
class PinnedLogger {
  public:
    explicit PinnedLogger(const LoggerChoice& chosen);
    ~PinnedLogger();
    PinnedLogger(const PinnedLogger&) = delete;
    PinnedLogger& operator=(const PinnedLogger&) = delete;
};

}  // namespace tb::cli
