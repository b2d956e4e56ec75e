// The loggers that can sit behind a simulated base unit, by the device code
// their settings block reports at byte 62.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tb::sim::loggers {

enum class LoggerFamily { OneChannel, Lgr830, Lgr835, MultiInput };

struct LoggerModel {
    LoggerFamily family = LoggerFamily::OneChannel;
    uint8_t deviceCode = 0x40;
    std::string name;  // e.g. "LGR-820"
    int channels = 1;
    uint16_t factorySlopeCode = 1000;  // slope 1.0 at the family's scale
    bool hasPassThrough = false;       // the multi-input logger's noise/vibration input
};

// The model of a device code: 0x40, 0x41, 0x5C, 0x5D (820/821), 0x5E, 0x42
// (830), 0x55 (835), 0xA1 to 0xA4 (850); nothing for any other code.
std::optional<LoggerModel> ModelForDeviceCode(uint8_t code, bool noiseInput = false);

// The model for a name as the simulator's command line takes it: "820",
// "821", "830", "835", "850-tc", "850-pt", "850-ma", "850-v", "850-noise",
// or a device code such as "0x5D".
std::optional<LoggerModel> ModelForName(const std::string& name);

}  // namespace tb::sim::loggers
