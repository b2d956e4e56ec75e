#include "modelcom/FourDigitText.h"

namespace tb::modelcom {

namespace {

int64_t PowerOfTen(int exponent) {
    int64_t power = 1;
    while (exponent-- > 0) power *= 10;
    return power;
}

int DigitCount(int64_t value) {
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

}  // namespace

FourDigitText MakeFourDigitText(int64_t numerator, int64_t scale, bool withDecimals) {
    const int64_t whole = numerator / scale;
    FourDigitText result;
    if (whole < 100) {
        int64_t t = numerator * 100 / scale;  // four digits
        std::string digits = std::to_string(t);
        result.text = digits.substr(0, 2);
        if (withDecimals) result.text += "." + digits.substr(2, 2);
        result.value = static_cast<double>(t) / 100.0;
    } else if (whole < 1000) {
        int64_t t = numerator * 10 / scale;
        std::string digits = std::to_string(t);
        result.text = digits.substr(0, 3);
        if (withDecimals) result.text += "." + digits.substr(3, 1);
        result.value = static_cast<double>(t) / 10.0;
    } else {
        int64_t unit = PowerOfTen(DigitCount(whole) - 4);
        int64_t t = whole / unit * unit;
        result.text = std::to_string(t);
        result.value = static_cast<double>(t);
    }
    return result;
}

}  // namespace tb::modelcom
