#include "journal/ReportRounding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tb::journal {
namespace {

constexpr int kMaxDecimals = 9;
// What floating point adds to a value that is a whole number of steps:
// 0.1 stays 0.1 and is not rounded up to 0.11.
constexpr double kStepTolerance = 1e-9;

}  // namespace

std::optional<ExpandedUncertainty> RoundUncertainty(double expanded, double coverageFactor,
                                                    double coverageProbability) {
    if (!std::isfinite(expanded) || expanded <= 0.0) return std::nullopt;
    // Two significant digits are steps of 10^(exponent-1): 0.123 -> 0.13.
    int exponent = static_cast<int>(std::floor(std::log10(expanded)));
    double step = std::pow(10.0, exponent - 1);
    double steps = expanded / step;
    double whole = std::abs(steps - std::round(steps)) < kStepTolerance * steps
                       ? std::round(steps)
                       : std::ceil(steps);
    // Rounding up may reach the next power of ten (9.96 -> 10): one digit
    // then, on the coarser step.
    if (whole >= 100) {
        ++exponent;
        step *= 10;
        whole /= 10;
    }
    if (step < std::pow(10.0, -kMaxDecimals)) return std::nullopt;
    ExpandedUncertainty result;
    result.u = {whole * step, std::max(0, 1 - exponent)};
    result.coverageFactor = coverageFactor;
    result.coverageProbability = coverageProbability;
    return result;
}

ReportValue RoundTo(double value, int decimals) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    const double scale = std::pow(10.0, decimals);
    return {std::round(value * scale) / scale, decimals};
}

ReportValue RoundResult(double value, const std::optional<ExpandedUncertainty>& uncertainty,
                        int fallbackDecimals) {
    return RoundTo(value, uncertainty ? uncertainty->u.decimals : fallbackDecimals);
}

std::string FormatReportValue(const ReportValue& value) {
    const int decimals = std::clamp(value.decimals, 0, kMaxDecimals);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value.value);
    std::string formatted = text;
    // A value that rounds to zero is zero, whichever side it came from.
    if (formatted.front() == '-' &&
        formatted.find_first_not_of("0.", 1) == std::string::npos)
        formatted.erase(0, 1);
    return formatted;
}

}  // namespace tb::journal
