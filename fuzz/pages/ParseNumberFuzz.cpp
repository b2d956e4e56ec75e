// Edit-box text into ParseNumber, and the formatting of what it accepts.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "pages/CorrectionFormula.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tb::pages::ParsedNumber parsed = tb::pages::ParseNumber(text);
    if (!parsed.accepted) return 0;

    // An accepted entry has digits, a finite value and nothing but blanks,
    // signs, full stops and digits.
    if (parsed.digits < 1 || static_cast<size_t>(parsed.digits) > size) std::abort();
    if (!std::isfinite(parsed.value)) std::abort();
    for (char c : text) {
        if (std::string_view(" +-.0123456789").find(c) == std::string_view::npos) std::abort();
    }

    // Rounding stays within half a unit of the last decimal, give or take the
    // few units in the last place that large magnitudes carry.
    const double rounded = tb::pages::RoundHalfAway(parsed.value, 3);
    const double slack = 1e-9 + std::fabs(parsed.value) * 1e-15;
    if (std::fabs(parsed.value) < 1e12 && std::fabs(rounded - parsed.value) > 0.0005 + slack) {
        std::abort();
    }
    const auto asCode = [](double v) {
        return static_cast<int>(std::fmax(-2147483648.0, std::fmin(2147483647.0, v)));
    };
    const std::string bracketed = tb::pages::FormatBracketed(
        parsed.digits % 2, asCode(parsed.value * 1000), asCode(parsed.value));
    if (bracketed.size() > 40) std::abort();
    return 0;
}
