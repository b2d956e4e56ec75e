#include "modelcom/AirPressure.h"

#include <cmath>

namespace tb::modelcom {

namespace {
inline constexpr double kStandardKPa = 101.325;
inline constexpr double kSlope = 0.016;
inline constexpr double kBase = 390.0;
}  // namespace

std::optional<AirPressureWords> AirPressureToWords(int tenthsKPa) {
    const double k = (tenthsKPa / 10.0 - kStandardKPa) * kSlope + 1.0;
    if (!(k > 0.0)) return std::nullopt;
    const double offset = std::trunc((kBase - kBase * k) * 10.0);
    const double factor = std::trunc(10000.0 / k);
    if (offset < INT16_MIN || offset > INT16_MAX || factor > UINT16_MAX) return std::nullopt;
    return AirPressureWords{static_cast<int16_t>(offset), static_cast<uint16_t>(factor)};
}

int AirPressureFromWord(int16_t offset) {
    const double k = (kBase - offset / 10.0) / kBase;
    return static_cast<int>(std::trunc(10.0 * ((k - 1.0) / kSlope + kStandardKPa) + 0.5));
}

}  // namespace tb::modelcom
