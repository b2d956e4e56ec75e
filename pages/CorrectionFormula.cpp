#include "pages/CorrectionFormula.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "pages/DialogView.h"
#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"

namespace tb::pages {
namespace {

constexpr double kFahrenheitToCelsius = 0.5555555555555556;

// Indexed by CheckKind.
constexpr std::array<KindLimits, 5> kLimits{{
    // F entry, 1-pt offset, message, slope min, max, message, 2-pt offset, message
    {false, 30.0, kMsgOffsetLimit30C, 0.0, 2.0, kMsgSlopeRange, 30.0, kMsgOffsetLimit30C},
    {true, 30.0, kMsgOffsetLimit30C, 0.0, 2.0, kMsgSlopeRange, 30.0, kMsgOffsetLimit30C},
    {false, 30.0, kMsgOffsetLimit30, 0.0, 2.0, kMsgSlopeRange, 30.0, kMsgOffsetLimit30C},
    {false, 3.0, kMsgOffsetLimit3, 0.0, 2.0, kMsgSlopeRange, 3.0, kMsgOffsetLimit3},
    {false, 50.0, kMsgOffsetLimit50, 0.5, 2.0, kMsgSlopeRangeNoise, 50.0, kMsgOffsetLimit50},
}};

double Pow10(int n) {
    double scale = 1.0;
    for (int i = 0; i < n; ++i) scale *= 10.0;
    return scale;
}

// A reading as the limits see it: degrees C for a degree-F entry.
double EntryValue(CheckKind kind, double reading) {
    return LimitsOf(kind).fahrenheitEntry ? FahrenheitToCelsius(reading) : reading;
}

bool WithinMagnitude(double value, double limit) { return std::fabs(value) <= limit; }

void ShowRefusal(int messageId) {
    services::ShowMessageId(messageId, services::MsgButtons::Ok, services::MsgIcon::Warning);
}

// Floating-point noise below any shown precision, and negative zero, print
// as a plain zero rather than "-0.000".
double CleanForDisplay(double value) { return std::fabs(value) < 5e-10 ? 0.0 : value; }

}  // namespace

double FahrenheitToCelsius(double fahrenheit) { return (fahrenheit - 32.0) * kFahrenheitToCelsius; }

CheckKind TemperatureKind(int tempUnit) {
    return tempUnit == 1 ? CheckKind::Fahrenheit : CheckKind::Celsius;
}

const KindLimits& LimitsOf(CheckKind kind) {
    const int index = static_cast<int>(kind);
    return index >= 0 && index < static_cast<int>(kLimits.size()) ? kLimits[index] : kLimits[0];
}

double RoundHalfAway(double value, int decimals) {
    if (!std::isfinite(value) || decimals < 0 || decimals > 15) return value;
    const double scale = Pow10(decimals);
    const double half = 0.5 / scale;  // exactly the doubles 0.0005 and 0.05 for 3 and 1
    const double shifted = (value > 0 ? value + half : value - half) * scale;
    if (std::fabs(shifted) >= 9.0e18) return value;  // no decimals left to round
    return static_cast<double>(static_cast<long long>(shifted)) / scale;
}

void ReportInputError(int messageId, int editId, DialogView& view) {
    ShowRefusal(messageId);
    view.FocusAndSelect(editId);
}

int CheckOnePoint(CheckKind kind, double x, double y, double currentOffset) {
    const KindLimits& limits = LimitsOf(kind);
    x = EntryValue(kind, x);
    y = EntryValue(kind, y);
    if (!WithinMagnitude(y - x + currentOffset, limits.onePointOffsetLimit)) {
        return limits.onePointOffsetMessage;
    }
    return 0;
}

std::optional<Correction> DeriveOnePoint(CheckKind kind, double x, double y, double currentOffset) {
    if (int refusal = CheckOnePoint(kind, x, y, currentOffset)) {
        ShowRefusal(refusal);
        return std::nullopt;
    }
    return Correction{1.0, RoundHalfAway(EntryValue(kind, y) - EntryValue(kind, x), 3)};
}

int CheckTwoPoint(CheckKind kind, double currentSlope, double currentOffset, double x1, double x2,
                  double y1, double y2) {
    const KindLimits& limits = LimitsOf(kind);
    x1 = EntryValue(kind, x1);
    x2 = EntryValue(kind, x2);
    y1 = EntryValue(kind, y1);
    y2 = EntryValue(kind, y2);
    if (x2 == x1) return kMsgInvalidInput;
    const double slope = (y2 - y1) / (x2 - x1);
    if (!std::isfinite(slope)) return kMsgInvalidInput;
    // A slope that rounds to 0 would be written as 0 just the same.
    if (slope == 0.0 || RoundHalfAway(slope, 3) == 0.0) return kMsgSlopeIsZero;
    const double product = slope * currentSlope;
    if (!(product >= limits.minSlope && product <= limits.maxSlope)) return limits.slopeMessage;
    // The composed slope must stay above 0, as the range message says.
    if (RoundHalfAway(currentSlope * RoundHalfAway(slope, 3), 3) <= 0.0) return limits.slopeMessage;
    const double offset = y1 - x1 * product + currentOffset;
    if (!WithinMagnitude(offset, limits.twoPointOffsetLimit)) return limits.twoPointOffsetMessage;
    return 0;
}

std::optional<Correction> DeriveTwoPoint(CheckKind kind, double currentSlope, double currentOffset,
                                         double x1, double x2, double y1, double y2) {
    if (int refusal = CheckTwoPoint(kind, currentSlope, currentOffset, x1, x2, y1, y2)) {
        ShowRefusal(refusal);
        return std::nullopt;
    }
    return TwoPointLine(EntryValue(kind, x1), EntryValue(kind, x2), EntryValue(kind, y1),
                        EntryValue(kind, y2));
}

int CheckComposed(CheckKind kind, const Correction& held, bool twoPoint) {
    const KindLimits& limits = LimitsOf(kind);
    const bool slopeFits =
        held.slope > 0.0 && held.slope >= limits.minSlope && held.slope <= limits.maxSlope;
    if (!slopeFits) return limits.slopeMessage;
    const double offsetLimit = twoPoint ? limits.twoPointOffsetLimit : limits.onePointOffsetLimit;
    if (!WithinMagnitude(held.offset, offsetLimit)) {
        return twoPoint ? limits.twoPointOffsetMessage : limits.onePointOffsetMessage;
    }
    return 0;
}

std::optional<Correction> TwoPointLine(double x1, double x2, double y1, double y2) {
    // Callers refuse equal x first; dividing by zero is never an answer.
    const double slope = x1 == x2 ? NAN : (y2 - y1) / (x2 - x1);
    if (!std::isfinite(slope)) {
        ShowRefusal(kMsgInvalidInput);
        return std::nullopt;
    }
    const double rounded = RoundHalfAway(slope, 3);
    if (slope == 0.0 || rounded == 0.0) {
        ShowRefusal(kMsgSlopeMustNotBeZero);
        return std::nullopt;
    }
    return Correction{rounded, y2 - rounded * x2};
}

Correction ComposeCorrection(const Correction& current, const Correction& entered) {
    return {RoundHalfAway(current.slope * entered.slope, 3),
            RoundHalfAway(entered.slope * current.offset + entered.offset, 3)};
}

Correction ComposeWithRoundedCurrent(Correction& current, const Correction& entered) {
    current = {RoundHalfAway(current.slope, 3), RoundHalfAway(current.offset, 3)};
    return ComposeCorrection(current, entered);
}

Correction FahrenheitTerms(const Correction& celsius) {
    const double slope = RoundHalfAway(celsius.slope, 3);
    return {slope, celsius.offset * 1.8 + 32.0 - 32.0 * slope};
}

std::string FormatCorrection(int formatId, const Correction& correction, bool degreeF) {
    const Correction shown = degreeF ? FahrenheitTerms(correction) : correction;
    return services::FormatText(services::LoadResString(formatId),
                                {CleanForDisplay(shown.slope), CleanForDisplay(shown.offset)});
}

std::string FormatBracketed(int mode, int slopeThousandths, int offsetCode) {
    const double slope = slopeThousandths / 1000.0;
    const double offset = mode == 1 ? offsetCode : offsetCode / 1000.0;
    const char slopeSign = slope >= 0 ? ' ' : '-';
    const char offsetSign = offset >= 0 ? '+' : '-';
    const char* format = mode == 1 ? " (y= %c%.3fx %c %.0f)" : " (y= %c%.3fx %c %.3f)";
    // Whole int ranges need at most 34 characters; the buffer holds them all.
    std::array<char, 64> text{};
    const int length = std::snprintf(text.data(), text.size(), format, slopeSign, std::fabs(slope),
                                     offsetSign, std::fabs(offset));
    if (length < 0) return {};
    return std::string(text.data(), std::min<std::size_t>(length, text.size() - 1));
}

double OffsetThroughPoint(double& slope, double x, double y) {
    slope = RoundHalfAway(slope, 3);
    return y - slope * x;
}

double RoundedDifference(double a, double b) { return RoundHalfAway(b - a, 3); }

}  // namespace tb::pages
