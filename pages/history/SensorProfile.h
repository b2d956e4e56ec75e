// What the history unit needs to know about one sensor of a direct-USB
// logger: its kind (which decides row and log-line texts), its two channel
// numbers and its name in the log file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tb::history {

enum class SensorKind { IlluminanceUv, TemperatureHumidity, Co2 };

// Text of one stored illuminance, UV or CO2 value for the history list,
// given the channel the value belongs to. Empty text for a value that has
// none. Temperature/humidity sensors need none (their values are tenths).
using ValueTextFn = std::function<std::string(int channel, int16_t value)>;

struct SensorProfile {
    SensorKind kind = SensorKind::TemperatureHumidity;
    // Channel numbers of the sensor's first and second channel; 0 where the
    // sensor has no second channel.
    std::array<int, 2> channels{};
    const char* logName = "";  // "Ill/UV", "CO2" or "Temp/Humi"
    ValueTextFn valueText;     // illuminance/UV and CO2 sensors
};

// The sensors of the two models without their value texts (the pages add
// FormatHistoryValue for illuminance/UV; CO2 has Co2HistoryValueText).
SensorProfile Lgr870IlluminanceUv();     // channels 1 (illuminance) and 2 (UV), "Ill/UV"
SensorProfile Lgr870TemperatureHumidity();  // channels 3 and 4, "Temp/Humi"
SensorProfile Lgr875Co2();               // channel 1, "CO2", value text from the library
SensorProfile Lgr875TemperatureHumidity();  // channels 2 and 3, "Temp/Humi"

// A stored CO2 value code as ppm text ("%d"), empty when the code holds no
// value (the conversion gives -1). Every stored value of a CO2 entry goes
// through it, before and after, both points.
std::string Co2HistoryValueText(int channel, int16_t value);

}  // namespace tb::history
