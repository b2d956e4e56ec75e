#include "modelcom/Co2Code.h"

#include <cstdint>

#include "modelcom/ResultCodes.h"

namespace tb::modelcom {

namespace {
inline constexpr int kCo2ExponentMax = 7;
inline constexpr int kMantissaMax = 4095;
}  // namespace

int NormalizeCo2(int ppm) {
    if (ppm < 0) return kCo2NoValue;
    for (int e = 0; e <= kCo2ExponentMax; ++e) {
        // trunc(ppm / 2^e + 0.5), in integers: round half up.
        int64_t mantissa = (static_cast<int64_t>(ppm) + ((int64_t{1} << e) >> 1)) >> e;
        if (e == 0) mantissa = ppm;
        if (mantissa <= kMantissaMax) return static_cast<int>(mantissa) + 4096 * e;
    }
    return kArgumentError;
}

int ConvertCo2(int code) {
    const int word = code & 0xFFFF;
    if (word >= kCo2NoValue && word <= kCo2NoValue + 0x0F) return -1;
    const int mantissa = word & 0x0FFF;
    const int exponent = (word >> 12) & 0x07;
    if (word & 0x8000) return (4096 - mantissa) << exponent;
    return mantissa << exponent;
}

}  // namespace tb::modelcom
