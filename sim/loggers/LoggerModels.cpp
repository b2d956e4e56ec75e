#include "sim/loggers/LoggerModels.h"

#include <cstdlib>

namespace tb::sim::loggers {
namespace {

// Slope 1.0 at the multi-input logger's slope scales: 16384 for
// thermocouple, resistance thermometer and current, 4096 for voltage, 1000
// for noise/vibration.
constexpr uint16_t kSlopeOne16384 = 16384;
constexpr uint16_t kSlopeOne4096 = 4096;

}  // namespace

std::optional<LoggerModel> ModelForDeviceCode(uint8_t code, bool noiseInput) {
    switch (code) {
        case 0x40:
        case 0x41:
            return LoggerModel{LoggerFamily::OneChannel, code, "LGR-820", 1, 1000, false};
        case 0x5C:
        case 0x5D:
            return LoggerModel{LoggerFamily::OneChannel, code, "LGR-821", 1, 1000, false};
        case 0x5E:
        case 0x42:
            return LoggerModel{LoggerFamily::Lgr830, code, "LGR-830", 2, 1000, false};
        case 0x55:
            return LoggerModel{LoggerFamily::Lgr835, code, "LGR-835", 2, 1000, false};
        case 0xA1:
            return LoggerModel{LoggerFamily::MultiInput, code, "LGR-850 thermocouple", 1,
                               kSlopeOne16384,           false};
        case 0xA2:
            return LoggerModel{LoggerFamily::MultiInput, code, "LGR-850 Pt100/Pt1000", 1,
                               kSlopeOne16384,           false};
        case 0xA3:
            return LoggerModel{LoggerFamily::MultiInput, code, "LGR-850 4-20mA", 1,
                               kSlopeOne16384,           false};
        case 0xA4:
            return noiseInput ? LoggerModel{LoggerFamily::MultiInput,
                                            code,
                                            "LGR-850 noise/vibration",
                                            1,
                                            kSlopeOne4096,
                                            true}
                              : LoggerModel{LoggerFamily::MultiInput,
                                            code,
                                            "LGR-850 voltage",
                                            1,
                                            kSlopeOne4096,
                                            false};
        default:
            return std::nullopt;
    }
}

std::optional<LoggerModel> ModelForName(const std::string& name) {
    if (name == "820") return ModelForDeviceCode(0x40);
    if (name == "821") return ModelForDeviceCode(0x5C);
    if (name == "830") return ModelForDeviceCode(0x5E);
    if (name == "835") return ModelForDeviceCode(0x55);
    if (name == "850-tc") return ModelForDeviceCode(0xA1);
    if (name == "850-pt") return ModelForDeviceCode(0xA2);
    if (name == "850-ma") return ModelForDeviceCode(0xA3);
    if (name == "850-v") return ModelForDeviceCode(0xA4, false);
    if (name == "850-noise") return ModelForDeviceCode(0xA4, true);
    if (name.size() > 2 && name.size() <= 4 && name.starts_with("0x")) {
        char* end = nullptr;
        const long code = std::strtol(name.c_str() + 2, &end, 16);
        if (end && *end == '\0') return ModelForDeviceCode(static_cast<uint8_t>(code));
    }
    return std::nullopt;
}

}  // namespace tb::sim::loggers
