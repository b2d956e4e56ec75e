// The 16-bit value code of the direct-USB loggers: a 12-bit mantissa m and a
// 4-bit exponent e, value = m * 2^e / scale. Conversions both ways and the
// texts the adjustment pages show for a code.
#pragma once

#include <cstdint>

namespace tb::modelcom {

inline constexpr int kMantissaMax = 4095;
inline constexpr int kExponentMax = 15;

// Scales of the sensors: illuminance has two decimals, UV three.
inline constexpr int kIlluminanceScale = 100;
inline constexpr int kIntegIlluminanceScale = 1;
inline constexpr int kUvScale = 1000;

// Value code of x >= 0 at the scale; -30 for a negative (or not a) number
// and for one too large for the code.
int NormalizeValue(double x, int scale);

// m * 2^e of a code (the value times its scale), exact.
int64_t CodeNumerator(int code);

inline constexpr int kKiloTextSize = 5;

// Each writes a terminated text into `text` (16 bytes are enough) and, where
// given and the value is in range, a kilo text: exactly kKiloTextSize bytes,
// no terminator (a four-character text is padded with one zero byte), the
// bytes after them untouched. Either pointer may be null.
double ConvertIlluminance(int code, char* text, char* kiloText);
double ConvertUv(int code, char* text);
double ConvertIntegIlluminance(int code, char* text, char* kiloText);
double ConvertIntegUv(int code, char* text, char* kiloText);

}  // namespace tb::modelcom
