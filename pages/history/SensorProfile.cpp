#include "pages/history/SensorProfile.h"

#include "modelcom/lgr875/VkLGR875Com.h"

namespace tb::history {

namespace {

inline constexpr int kNoValue = -1;

SensorProfile Profile(SensorKind kind, int first, int second, const char* logName) {
    SensorProfile profile;
    profile.kind = kind;
    profile.channels = {first, second};
    profile.logName = logName;
    return profile;
}

}  // namespace

SensorProfile Lgr870IlluminanceUv() {
    return Profile(SensorKind::IlluminanceUv, 1, 2, "Ill/UV");
}

SensorProfile Lgr870TemperatureHumidity() {
    return Profile(SensorKind::TemperatureHumidity, 3, 4, "Temp/Humi");
}

SensorProfile Lgr875Co2() {
    SensorProfile profile = Profile(SensorKind::Co2, 1, 0, "CO2");
    profile.valueText = Co2HistoryValueText;
    return profile;
}

SensorProfile Lgr875TemperatureHumidity() {
    return Profile(SensorKind::TemperatureHumidity, 2, 3, "Temp/Humi");
}

std::string Co2HistoryValueText(int /*channel*/, int16_t value) {
    // The library takes the code as the logger stores it: 16 bits, unsigned.
    const int ppm = VkLGR875Com_ConvertCO2ToData(static_cast<uint16_t>(value));
    return ppm == kNoValue ? std::string() : std::to_string(ppm);
}

}  // namespace tb::history
