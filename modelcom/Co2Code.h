// The CO2 channel's value code: ppm = m * 2^e with a 12-bit mantissa and a
// 3-bit exponent; codes 0xF000 to 0xF00F stand for "no value".
#pragma once

namespace tb::modelcom {

inline constexpr int kCo2NoValue = 0xF000;

// 0xF000 for a negative ppm; -30 for one beyond the largest code (4095 * 2^7).
int NormalizeCo2(int ppm);

// ppm of a code (low 16 bits used); -1 for the "no value" codes.
int ConvertCo2(int code);

}  // namespace tb::modelcom
