// The arithmetic of a direct-USB send, with neither a view nor a logger:
// a channel's entries as the logger's data values and as a correction, and
// the composition of the tab's pair with the codes the logger holds,
// checked against the limits. The page shows the messages this refuses
// with.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "pages/AdjustmentRecord.h"
#include "pages/CorrectionFormula.h"
#include "pages/lgr87x/DirectUsbModel.h"
#include "resources/StringIds.h"

namespace tb::pages::lgr87x {

inline constexpr int kMinSlopeCode = 1;
inline constexpr int kMaxSlopeCode = 2000;
// A negative CO2 concentration as the library encodes it.
inline constexpr uint16_t kCo2Negative = 0xF000;

using resources::strings::kMsgBelowMinusOne;
using resources::strings::kMsgBelowZero;
using resources::strings::kMsgInvalidRange;

// The four edit boxes of a channel's row.
enum EntryBox { kBoxBefore1 = 0, kBoxAfter1 = 1, kBoxBefore2 = 2, kBoxAfter2 = 3 };

// The entered correction of one channel: in the logger's unit, and as the
// technician sees it (degrees F for temperature under the F unit).
struct EnteredCorrection {
    Correction logger;
    Correction display;
};

// Half away from zero to a whole number.
double RoundToWhole(double value);
// For texts only: a value beyond int prints as the nearest int.
int ClampToInt(double value);

// The slope x 1000 a channel's new slope is composed on. The history
// record's factor keeps the precision that the logger's code has lost, but
// it only describes the logger while it still rounds to the code the logger
// holds: the channel's entries may have rotated out of the record (the
// factor then reads 1000.0), or a history write may have failed behind a
// calibration write that succeeded.
double SlopeToComposeOn(double historyFactor, int16_t heldSlopeCode);

// The message that refuses a number typed into box `box` of a channel of
// `kind`, or 0 when it passes. Illuminance and UV readings start at -1.0,
// the second "after" at 0.
int EntryRefusal(ChannelKind kind, int box, double value);

// The logger's 16-bit data value of an entry; `normalize` is the model
// library's encoding of a non-negative illuminance, UV or CO2 reading.
uint16_t EncodeEntry(ChannelKind kind, double value,
                     uint16_t (*normalize)(ChannelKind kind, double value));

// The correction that a channel's entries (before 1, after 1, before 2,
// after 2) make; degree-F entries are converted for the logger. Nothing
// after the two-point line's refusal message.
std::optional<EnteredCorrection> EnteredOf(ChannelKind kind, bool twoPoint, bool fahrenheit,
                                           const std::array<double, 4>& values);

// A channel's correction from the tab's codes (slope x 1000, offset x scale).
Correction CorrectionOfCodes(const TabTable& tab, std::size_t channel,
                             const CalibrationCodes& codes);
// A correction as the tab's codes show it, {slope, offset}, clamped for text.
std::array<int, 2> ShownCodes(const TabTable& tab, const Correction& correction);

// The limits ComposeTab checks a channel of the tab against.
AppliedLimits LimitsOfTab(const TabTable& tab);

// The first channel whose composed code is outside the limits: every slope
// is checked before any offset.
struct LimitRefusal {
    std::size_t channel;
    bool slopeFailed;
    double slopeCode;
    double offsetCode;
};

// The composed codes of a tab, the integers its confirmation shows, and
// each channel's new slope x 1000 with its full precision (the history
// factor); `refusal` set when the codes break a limit.
struct Composition {
    CalibrationCodes codes{};
    std::array<int, 2> shownSlope{};
    std::array<int, 2> shownOffset{};
    std::array<double, 2> factors{};
    std::optional<LimitRefusal> refusal;
};

// Composes each adjusted channel's entry with what the logger holds
// (`held`, and the history record's `storedFactors`); a channel that is not
// adjusted is written back exactly as read.
Composition ComposeTab(const TabTable& tab, const CalibrationCodes& held,
                       const std::array<double, 2>& storedFactors,
                       const std::array<bool, 2>& adjusted,
                       const std::array<EnteredCorrection, 2>& entered);

}  // namespace tb::pages::lgr87x
