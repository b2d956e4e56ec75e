#include "pages/lgr87x/DirectUsbComposition.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace tb::pages::lgr87x {
namespace {

bool IsZeroPointKind(ChannelKind kind) {
    return kind == ChannelKind::Illuminance || kind == ChannelKind::Uv;
}

// The entered correction of degree-F entries: the logger gets the line of
// the readings in degrees C, the technician sees it in degrees F.
std::optional<EnteredCorrection> FahrenheitEntered(bool twoPoint,
                                                   const std::array<double, 4>& values) {
    const auto [x1, y1, x2, y2] = values;
    EnteredCorrection entered;
    if (!twoPoint) {
        entered.display = {1.0, RoundedDifference(x1, y1)};
        entered.logger = {1.0, RoundedDifference(FahrenheitToCelsius(x1), FahrenheitToCelsius(y1))};
        return entered;
    }
    const std::optional<Correction> line =
        TwoPointLine(FahrenheitToCelsius(x1), FahrenheitToCelsius(x2), FahrenheitToCelsius(y1),
                     FahrenheitToCelsius(y2));
    if (!line) return std::nullopt;
    const double shownSlope = RoundHalfAway((y2 - y1) / (x2 - x1), 3);
    entered.logger = *line;
    entered.display = {line->slope, y2 - shownSlope * x2};
    return entered;
}

}  // namespace

double RoundToWhole(double value) {
    return value >= 0 ? std::trunc(value + 0.5) : std::trunc(value - 0.5);
}

int ClampToInt(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(
        std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

double SlopeToComposeOn(double historyFactor, int16_t heldSlopeCode) {
    return RoundToWhole(historyFactor) == heldSlopeCode ? historyFactor
                                                        : static_cast<double>(heldSlopeCode);
}

int EntryRefusal(ChannelKind kind, int box, double value) {
    if (!IsZeroPointKind(kind)) return 0;
    const bool before = box == kBoxBefore1 || box == kBoxBefore2;
    if (before && value < -1.0) return kMsgBelowMinusOne;
    if (box == kBoxAfter2 && value < 0.0) return kMsgBelowZero;
    return 0;
}

uint16_t EncodeEntry(ChannelKind kind, double value,
                     uint16_t (*normalize)(ChannelKind kind, double value)) {
    switch (kind) {
        case ChannelKind::Temperature:
        case ChannelKind::Humidity:
            return static_cast<uint16_t>(static_cast<int32_t>(std::trunc(value * 10.0)));
        case ChannelKind::Illuminance:
        case ChannelKind::Uv:
            if (value < 0)
                return static_cast<uint16_t>(static_cast<int32_t>(std::trunc(value * 1000.0)));
            return normalize(kind, value);
        case ChannelKind::Co2:
            return normalize(kind, std::trunc(value));
        case ChannelKind::Unused:
            break;
    }
    return 0;
}

std::optional<EnteredCorrection> EnteredOf(ChannelKind kind, bool twoPoint, bool fahrenheit,
                                           const std::array<double, 4>& values) {
    if (fahrenheit && kind == ChannelKind::Temperature) return FahrenheitEntered(twoPoint, values);
    const auto [x1, y1, x2, y2] = values;
    EnteredCorrection entered;
    if (!twoPoint) {
        entered.logger = entered.display = {1.0, RoundedDifference(x1, y1)};
        return entered;
    }
    const std::optional<Correction> line = TwoPointLine(x1, x2, y1, y2);
    if (!line) return std::nullopt;
    entered.logger = entered.display = *line;
    return entered;
}

Correction CorrectionOfCodes(const TabTable& tab, std::size_t channel,
                             const CalibrationCodes& codes) {
    return {codes[channel * 2] / 1000.0,
            codes[channel * 2 + 1] / static_cast<double>(tab.offsetScale)};
}

std::array<int, 2> ShownCodes(const TabTable& tab, const Correction& correction) {
    return {ClampToInt(RoundToWhole(correction.slope * 1000.0)),
            ClampToInt(RoundToWhole(correction.offset * tab.offsetScale))};
}

AppliedLimits LimitsOfTab(const TabTable& tab) {
    const double offsetLimit = tab.offsetLimit / static_cast<double>(tab.offsetScale);
    return {kModelTableLimits, kMinSlopeCode / 1000.0, kMaxSlopeCode / 1000.0, offsetLimit,
            offsetLimit};
}

Composition ComposeTab(const TabTable& tab, const CalibrationCodes& held,
                       const std::array<double, 2>& storedFactors,
                       const std::array<bool, 2>& adjusted,
                       const std::array<EnteredCorrection, 2>& entered) {
    const double scale = tab.offsetScale;
    Composition result;
    std::array<double, 2> slopes{};
    std::array<double, 2> offsets{};
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        const Correction& in = entered[j].logger;
        const double base = SlopeToComposeOn(storedFactors[j], held[j * 2]);
        const auto [shownSlope, shownOffset] = ShownCodes(tab, entered[j].display);
        result.shownSlope[j] = shownSlope;
        result.shownOffset[j] = shownOffset;
        // A slope of exactly 1 keeps the base as it is, to the last digit.
        result.factors[j] = in.slope == 1.0 ? base : in.slope * base;
        slopes[j] = RoundToWhole(result.factors[j]);
        offsets[j] = RoundToWhole(in.offset * scale + held[j * 2 + 1] * in.slope);
        if (!adjusted[j] || tab.channels[j].kind == ChannelKind::Unused) {
            slopes[j] = held[j * 2];
            offsets[j] = held[j * 2 + 1];
        }
    }
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        if (!(slopes[j] >= kMinSlopeCode && slopes[j] <= kMaxSlopeCode)) {
            result.refusal = LimitRefusal{j, true, slopes[j], offsets[j]};
            return result;
        }
    }
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        if (!(std::fabs(offsets[j]) <= tab.offsetLimit)) {
            result.refusal = LimitRefusal{j, false, slopes[j], offsets[j]};
            return result;
        }
    }
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        result.codes[j * 2] = static_cast<int16_t>(slopes[j]);
        result.codes[j * 2 + 1] = static_cast<int16_t>(offsets[j]);
    }
    return result;
}

}  // namespace tb::pages::lgr87x
