// How a slope and an offset become the 16-bit codes that a logger stores,
// and back.
//
// A value is first rounded half away from zero to three decimals (offsets of
// kind 5 and of the pass-through input to one decimal), then multiplied by
// its scale and truncated toward zero. The product is formed from the
// rounded integer exactly, so 1.001 at scale 1000 is 1001, not 1000.
#pragma once

#include <cstdint>
#include <optional>

namespace tb::client {

inline constexpr int kSlopeDecimals = 3;
inline constexpr int kOffsetDecimals = 3;
inline constexpr int kCoarseOffsetDecimals = 1;

// The logger kind whose offsets travel with one decimal.
inline constexpr int kKindCoarseOffset = 5;

int OffsetDecimalsForKind(int kind);

// decimals is 1 or 3. trunc((value ± half a unit) × 10^decimals); nothing for values that are
// not finite or far outside any code.
std::optional<int64_t> RoundToUnits(double value, int decimals);

// Nothing when the scaled value does not fit the code.
std::optional<uint16_t> EncodeSlopeCode(double slope, uint16_t scale);
std::optional<int16_t> EncodeOffsetCode(double offset, uint16_t scale, int decimals);

inline double DecodeSlope(uint16_t code, uint16_t scale) {
    return static_cast<double>(code) / scale;
}
inline double DecodeOffset(int16_t code, uint16_t scale) {
    return static_cast<double>(code) / scale;
}

}  // namespace tb::client
