// The attached loggers, as `list` prints them and the batch surveys ports.
//
// Base units are found with the command client's discovery and identified
// by the settings block of the logger behind them; the model-890 cable by
// its COM number; the direct-USB loggers through the pages' search of each
// model (pages/lgr87x/DirectUsbLogger.h). Which of them a command talks to
// is LoggerChoosing.h's.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandValues.h"
#include "cli/ModelNames.h"

namespace tb::cli {

struct AttachedLogger {
    std::string model;   // "820/821", "890", "870", ...; empty when not known
    std::string detail;  // device code, type code or names
    std::optional<uint32_t> serial;
    std::optional<int> com;
    Transport transport = Transport::BaseUnit;
    std::optional<std::array<uint8_t, 64>> settings;  // a base unit's logger, when read
    bool overLan = false;  // a base unit reached on the LAN rather than USB
};

// How the logger is reached, as `list`, --json and a survey's messages name
// it: "usb-base-unit", "lan", "cable" or "usb".
std::string_view ViaName(const AttachedLogger& logger);
// Sets how the logger is reached from such a name; false for any other text.
bool SetVia(AttachedLogger& logger, std::string_view name);

// Every attached logger: base units first, then the cable, then the
// direct-USB loggers.
std::vector<AttachedLogger> ListAttached();

// The cables on the serial ports.
std::vector<AttachedLogger> ListCables();

// The attached loggers of a direct-USB model; none for other models.
std::vector<AttachedLogger> DirectUsbLoggers(const ModelRow& row);

// The base unit on the LAN and the logger behind it; nothing after `error`
// was set to the link library's code.
std::optional<AttachedLogger> ListLanUnit(const std::string& host, int port,
                                          const std::string& login, int& error);

// The input kind under which a base-unit model's page serves the logger
// with these settings: the one asked for, else the first the settings
// accept (0 for models without input kinds); nothing when it serves none.
std::optional<int> ServedKind(const ModelRow& row, std::optional<int> asked,
                              std::span<const uint8_t, 64> settings);

// Whether the model's page serves the listed logger (under that input
// kind, if one is asked for).
bool Serves(const ModelRow& row, std::optional<int> inputKind, const AttachedLogger& logger);

// "00A1B2C3" or "COM5".
std::string LoggerLabel(const LoggerChoice& choice);

}  // namespace tb::cli
