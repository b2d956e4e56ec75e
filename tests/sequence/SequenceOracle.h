// What a channel must hold after a send, worked out from the composition
// rules alone (entry, limits, composition, codes), never from the pages'
// code: the independent side of the sequence checks.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace tb::sequence {

// The two codes a logger stores for one channel.
struct Codes {
    int slope = 0;
    int offset = 0;
    friend bool operator==(const Codes&, const Codes&) = default;
};

// One entry as typed: before 1, after 1 and, for two points, before 2, after 2.
struct Entry {
    bool twoPoint = false;
    std::array<double, 4> values{};
};

enum class Scheme {
    BaseUnit,   // composed as corrections, rounded to three decimals, then coded
    DirectUsb,  // composed on the slope x 1000 and offset codes themselves
};

enum class Quantity {
    Temperature,
    Humidity,
    CurrentLoop,
    Voltage,
    NoiseVibration,
    Illuminance,
    Uv,
    Co2
};

enum class Verdict { Accept, Refuse, Either };

struct Expectation {
    Verdict verdict = Verdict::Refuse;
    double slopeCode = 0;  // what the accepted channel holds, as an exact value
    double offsetCode = 0;
    std::string why;  // for a failure's report
};

// A channel's limits as its limit table states them, in the channel's own
// units (degrees C, %, mA, V, dB, ppm): the composed slope lies within
// slopeLow..slopeHigh and the composed offset within +-offsetLimit. Checked
// on what the logger holds after every operation, apart from any formula.
struct Limits {
    double slopeLow = 0.0;
    double slopeHigh = 2.0;
    double offsetLimit = 30.0;
};

// One channel as the rules see it.
struct ChannelRule {
    std::string name;
    Scheme scheme = Scheme::BaseUnit;
    Quantity quantity = Quantity::Temperature;
    int slopeScale = 1000;
    int offsetScale = 1000;
    int offsetDecimals = 3;       // base unit: decimals the offset is coded with
    bool roundsCurrent = false;   // base unit: the current correction is rounded first
    int offsetLimitCode = 30000;  // direct USB: the composed offset code's limit
    Limits limits;
};

// A correction in the channel's own units.
struct Decoded {
    double slope = 1.0;
    double offset = 0.0;
};

// What the codes stand for (the direct-USB slope code is the slope x 1000).
Decoded Decode(const ChannelRule& rule, Codes codes);

// Why the correction the codes stand for lies outside the channel's limits;
// empty when it lies inside.
std::string OutsideLimits(const ChannelRule& rule, Codes codes);

// Why `after` is not the entered line composed on `before` (slope a0*a,
// offset a*b0 + b) within what the codes and the three-decimal rounding of
// corrections can resolve; empty when it is.
std::string NotComposedOn(const ChannelRule& rule, const Entry& entry, bool fahrenheit,
                          Codes before, Codes after);

// Whether `actual` is the composition `expected` stands for: the very codes
// on a direct-USB channel (both sides are whole numbers), within one code on
// a base-unit channel (whose scales need not give whole numbers).
bool IsComposition(const ChannelRule& rule, Codes actual, const Expectation& expected);

// Whether a recorded correction is what the codes stand for: exactly, or
// exactly that rounded to the three decimals a correction is stated in.
bool RecordsCodes(const ChannelRule& rule, Codes codes, double slope, double offset);

// A history record's slope factor of a direct-USB channel, as the logger
// holds it: present only when one of the record's slots adjusts the channel.
struct HistoryFactor {
    bool present = false;
    double factor = 1000.0;
};

// The outcome of a send of `entry` on a channel holding `held`, with the
// temperature unit setting (1: degrees F). `other` is the second channel of
// a direct-USB pair, written back as held and checked against the limits too.
Expectation ExpectSend(const ChannelRule& rule, const Entry& entry, Codes held,
                       HistoryFactor factor, bool fahrenheit,
                       std::optional<Codes> otherOfPair = std::nullopt,
                       const ChannelRule* otherRule = nullptr);

// The factory state as the channel codes it.
Codes IdentityCodes(const ChannelRule& rule);

// Whether `actual` is `expected` within one code.
bool WithinOneCode(Codes actual, double slopeCode, double offsetCode);

}  // namespace tb::sequence
