#include "modelcom/ValueCode.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "modelcom/FourDigitText.h"
#include "modelcom/ResultCodes.h"

namespace tb::modelcom {

namespace {

inline constexpr double kEpsilon = 1e-9;
inline constexpr int kTextCapacity = 16;

// A kilo text from the digits of the full text: each digit of `pattern`
// names a character of the text, anything else is copied.
struct KiloRule {
    int64_t from;  // the value at which the rule starts
    const char* pattern;
};

void WriteText(char* out, const std::string& text) {
    if (!out) return;
    std::snprintf(out, kTextCapacity, "%s", text.c_str());
}

// The kilo text is a field of exactly kKiloTextSize characters without a
// terminator: callers pass buffers of that size. A shorter pattern is padded
// with zero bytes; nothing after the field is touched.
void WriteKiloText(char* out, const std::string& text, int64_t numerator, int64_t scale,
                   std::initializer_list<KiloRule> rules) {
    if (!out) return;
    const KiloRule* chosen = nullptr;
    for (const KiloRule& rule : rules) {
        if (numerator >= rule.from * scale) chosen = &rule;
    }
    if (!chosen) return;
    std::array<char, kKiloTextSize> kilo{};
    std::size_t length = 0;
    for (const char* p = chosen->pattern; *p && length < kilo.size(); ++p) {
        if (*p >= '0' && *p <= '9') {
            size_t index = static_cast<size_t>(*p - '0');
            if (index >= text.size()) return;
            kilo[length++] = text[index];
        } else {
            kilo[length++] = *p;
        }
    }
    std::memcpy(out, kilo.data(), kilo.size());
}

std::string Printf(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// The text and result of a code below `smallLimit` (printed with `format`)
// or else its four-digit text.
struct Converted {
    std::string text;
    double result;
};

Converted ConvertScaled(int code, int64_t scale, int64_t smallLimit, const char* format,
                        bool withDecimals) {
    int64_t numerator = CodeNumerator(code);
    double value = static_cast<double>(numerator) / static_cast<double>(scale);
    if (numerator < smallLimit * scale) {
        return {Printf(format, value + kEpsilon), value + kEpsilon};
    }
    FourDigitText four = MakeFourDigitText(numerator, scale, withDecimals);
    return {four.text, four.value + kEpsilon};
}

}  // namespace

int NormalizeValue(double x, int scale) {
    if (!(x >= 0.0) || !std::isfinite(x)) return kArgumentError;
    const double y = (x + kEpsilon) * scale;
    for (int e = 0; e <= kExponentMax; ++e) {
        double mantissa = std::trunc(std::ldexp(y, -e) + 0.5);
        if (mantissa > kMantissaMax) continue;
        if (e == 0) return static_cast<int>(std::trunc(y));
        return static_cast<int>(mantissa) + 4096 * e;
    }
    return kArgumentError;
}

int64_t CodeNumerator(int code) {
    const int64_t mantissa = code & 0x0FFF;
    const int exponent = (code >> 12) & 0x0F;
    return mantissa << exponent;
}

double ConvertIlluminance(int code, char* text, char* kiloText) {
    Converted c = ConvertScaled(code, kIlluminanceScale, 100, "%.2lf", true);
    WriteText(text, c.text);
    WriteKiloText(kiloText, c.text, CodeNumerator(code), kIlluminanceScale,
                  {{10000, "01.23"}, {100000, "012.3"}});
    return c.result;
}

double ConvertUv(int code, char* text) {
    Converted c = ConvertScaled(code, kUvScale, 10, "%.3lf", true);
    WriteText(text, c.text);
    return c.result;
}

double ConvertIntegIlluminance(int code, char* text, char* kiloText) {
    int64_t numerator = CodeNumerator(code);
    Converted c;
    if (numerator < 10) {
        c = {std::to_string(numerator), static_cast<double>(numerator)};
    } else {
        FourDigitText four = MakeFourDigitText(numerator, 1, false);
        c = {four.text, four.value + kEpsilon};
    }
    WriteText(text, c.text);
    WriteKiloText(kiloText, c.text, numerator, 1,
                  {{10000, "01.23"}, {100000, "012.3"}, {1000000, "0123"}, {10000000, "01234"}});
    return c.result;
}

double ConvertIntegUv(int code, char* text, char* kiloText) {
    Converted c = ConvertScaled(code, kUvScale, 10, "%.3lf", true);
    WriteText(text, c.text);
    WriteKiloText(kiloText, c.text, CodeNumerator(code), kUvScale,
                  {{1000, "0.123"}, {10000, "01.23"}, {100000, "012.3"}, {1000000, "0123"}});
    return c.result;
}

}  // namespace tb::modelcom
