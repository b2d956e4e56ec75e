// The correction rules that every adjustment page shares.
//
// A page turns the technician's readings into a linear correction
// y = a*x + b, checks it against the limits of the channel, composes it with
// the correction the logger already holds, and shows corrections as text.
// Nothing here talks to a logger. The Derive functions show their own
// refusal message (OK box, warning icon); the caller then simply stops.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "pages/Correction.h"
#include "resources/StringIds.h"

namespace tb::pages {

class DialogView;

// Selects the limits, refusal messages and degree-F conversion of a channel.
enum class CheckKind : int {
    Celsius = 0,         // temperature shown in degrees C; every humidity channel
    Fahrenheit = 1,      // temperature shown in degrees F: readings converted first
    CurrentLoop = 2,     // 4-20 mA input
    Voltage = 3,         // voltage input
    NoiseVibration = 4,  // noise/vibration input
};

// The kind of a temperature channel for the unit setting (0 = C, 1 = F).
CheckKind TemperatureKind(int tempUnit);

// Limits of one kind. Offset limits apply to the offset the composed
// correction would carry; the slope range to the product of the current and
// the entered slope. All limits are inclusive.
struct KindLimits {
    bool fahrenheitEntry;
    double onePointOffsetLimit;
    int onePointOffsetMessage;
    double minSlope;
    double maxSlope;
    int slopeMessage;
    double twoPointOffsetLimit;
    int twoPointOffsetMessage;
};

// The limits of a kind; a value outside 0..4 gets the general limits of kind 0.
const KindLimits& LimitsOf(CheckKind kind);

// The refusals and formats of these rules, as the string table names them.
using resources::strings::kFmtCurrent1;
using resources::strings::kFmtCurrent3;
using resources::strings::kFmtCurrentWhole;
using resources::strings::kFmtEntered1;
using resources::strings::kFmtEntered3;
using resources::strings::kMsgEnterNumbers;
using resources::strings::kMsgInvalidInput;
using resources::strings::kMsgOffsetLimit3;
using resources::strings::kMsgOffsetLimit30;
using resources::strings::kMsgOffsetLimit30C;
using resources::strings::kMsgOffsetLimit50;
using resources::strings::kMsgSlopeIsZero;
using resources::strings::kMsgSlopeMustNotBeZero;
using resources::strings::kMsgSlopeRange;
using resources::strings::kMsgSlopeRangeNoise;

// Rounds half away from zero to n decimals (n = 3 for every slope and offset
// that is stored, sent or confirmed). Non-finite values and values too large
// to carry decimals come back unchanged.
double RoundHalfAway(double value, int decimals);

// The text of one edit box as a number.
struct ParsedNumber {
    bool accepted = false;
    double value = 0.0;
    int digits = 0;
};

// Accepts only blanks, one sign, one full stop and digits in the forms the
// edit boxes allow (" 25", "-.5", "+0.5"); refuses "12.", "1 2", "1e3".
ParsedNumber ParseNumber(std::string_view text);

// Shows message id (OK box, warning icon) and then gives box editId the
// focus with its whole text selected.
void ReportInputError(int messageId, int editId, DialogView& view);

// One-point entry: x before, y after, b0 the current offset. Refusal: the
// message id, or 0 when the entry passes.
int CheckOnePoint(CheckKind kind, double x, double y, double currentOffset);
// The entered correction (slope 1.0, offset y - x rounded), or nothing after
// showing the refusal.
std::optional<Correction> DeriveOnePoint(CheckKind kind, double x, double y, double currentOffset);

// Two-point entry (x1, y1), (x2, y2) on top of the current correction.
int CheckTwoPoint(CheckKind kind, double currentSlope, double currentOffset, double x1, double x2,
                  double y1, double y2);
std::optional<Correction> DeriveTwoPoint(CheckKind kind, double currentSlope, double currentOffset,
                                         double x1, double x2, double y1, double y2);

// The correction as the logger will hold it — composed, rounded and
// encoded into its codes, then decoded — against the channel's limits: the
// slope above 0 and within the kind's range, the offset within the limit of
// a one- or two-point entry of the kind. The entry checks above weigh the
// readings; this weighs what is actually written. The refusal message, or
// 0 when it passes.
int CheckComposed(CheckKind kind, const Correction& held, bool twoPoint);

// The line through two points: slope rounded to 3 decimals, offset through
// the second point with that slope (not rounded). Refuses equal x (kMsgInvalidInput) and
// a slope that is or rounds to 0 (kMsgSlopeMustNotBeZero), showing the message.
std::optional<Correction> TwoPointLine(double x1, double x2, double y1, double y2);

// The entered correction applied on top of the current one, rounded.
Correction ComposeCorrection(const Correction& current, const Correction& entered);
// The multi-input page's variant: the current correction is first rounded to
// 3 decimals, and the rounded values replace it.
Correction ComposeWithRoundedCurrent(Correction& current, const Correction& entered);

// A reading in degrees F as degrees C.
double FahrenheitToCelsius(double fahrenheit);

// A degrees-C correction expressed for readings in degrees F.
Correction FahrenheitTerms(const Correction& celsius);

// Format string id filled with slope and offset (the degree-F terms when
// degreeF is set).
std::string FormatCorrection(int formatId, const Correction& correction, bool degreeF);

// " (y= %c%.3fx %c %.3f)" of slope m/1000 and offset c/1000, or with the
// offset c as a whole number (" %.0f") in mode 1. At most 31 characters for
// values inside the limits; larger values are never cut short.
std::string FormatBracketed(int mode, int slopeThousandths, int offsetCode);

// Rounds slope to 3 decimals (written back) and returns y - slope * x.
double OffsetThroughPoint(double& slope, double x, double y);

// RoundHalfAway(b - a, 3).
double RoundedDifference(double a, double b);

}  // namespace tb::pages
