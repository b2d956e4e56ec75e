// A value of 10 or more cut to four significant digits for display:
// "12.34", "123.4", "1234", "123400" (with decimals allowed), or without
// decimals "12", "123", "1234", "123400". All cuts truncate.
#pragma once

#include <cstdint>
#include <string>

namespace tb::modelcom {

struct FourDigitText {
    std::string text;
    double value;  // the value the text shows
};

// The value is numerator / scale (numerator >= 10 * scale, scale > 0), so
// the cuts are exact whatever the binary fraction of the value.
FourDigitText MakeFourDigitText(int64_t numerator, int64_t scale, bool withDecimals);

}  // namespace tb::modelcom
