#include "client/CorrectionCodes.h"

#include <cmath>
#include <limits>

namespace tb::client {
namespace {

// Far beyond any 16-bit code at any scale, yet exact as an integer.
constexpr double kMaxUnits = 1e12;

int64_t PowerOfTen(int decimals) {
    int64_t power = 1;
    for (int i = 0; i < decimals; ++i) power *= 10;
    return power;
}

std::optional<int64_t> ScaleUnits(double value, uint16_t scale, int decimals) {
    const auto units = RoundToUnits(value, decimals);
    if (!units) return std::nullopt;
    // Integer division truncates toward zero, as the code asks.
    return *units * scale / PowerOfTen(decimals);
}

}  // namespace

int OffsetDecimalsForKind(int kind) {
    return kind == kKindCoarseOffset ? kCoarseOffsetDecimals : kOffsetDecimals;
}

std::optional<int64_t> RoundToUnits(double value, int decimals) {
    // The half units of one and three decimals, as the shared rounding rule has them.
    const double half = decimals == kCoarseOffsetDecimals ? 0.05 : 0.0005;
    const double shifted =
        (value > 0 ? value + half : value - half) * static_cast<double>(PowerOfTen(decimals));
    if (!std::isfinite(shifted) || std::fabs(shifted) > kMaxUnits) return std::nullopt;
    return static_cast<int64_t>(std::trunc(shifted));
}

std::optional<uint16_t> EncodeSlopeCode(double slope, uint16_t scale) {
    const auto code = ScaleUnits(slope, scale, kSlopeDecimals);
    if (!code || *code < 0 || *code > std::numeric_limits<uint16_t>::max()) return std::nullopt;
    return static_cast<uint16_t>(*code);
}

std::optional<int16_t> EncodeOffsetCode(double offset, uint16_t scale, int decimals) {
    const auto code = ScaleUnits(offset, scale, decimals);
    if (!code || *code < std::numeric_limits<int16_t>::min() ||
        *code > std::numeric_limits<int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int16_t>(*code);
}

}  // namespace tb::client
