// The CO2 logger's air-pressure compensation, set as two words derived from
// the pressure in tenths of a kilopascal and read back as the first word.
#pragma once

#include <cstdint>
#include <optional>

namespace tb::modelcom {

struct AirPressureWords {
    int16_t offset;   // trunc((390 - 390 k) * 10)
    uint16_t factor;  // trunc(10000 / k)
};

// k = (pressure / 10 - 101.325) * 0.016 + 1. Nothing when k is not positive
// or a word would not fit 16 bits.
std::optional<AirPressureWords> AirPressureToWords(int tenthsKPa);

// The pressure in tenths of a kilopascal from the first word, rounded.
int AirPressureFromWord(int16_t offset);

}  // namespace tb::modelcom
