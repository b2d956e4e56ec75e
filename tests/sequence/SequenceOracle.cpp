#include "tests/sequence/SequenceOracle.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace tb::sequence {
namespace {

// Closer to a limit than this, floating point may decide either way.
constexpr double kMargin = 1e-6;

double Round(double value, int decimals) {
    const double power = std::pow(10.0, decimals);
    const double half = 0.5 / power;
    return std::trunc((value > 0 ? value + half : value - half) * power) / power;
}

double RoundWhole(double value) {
    return value >= 0 ? std::trunc(value + 0.5) : std::trunc(value - 0.5);
}

double Celsius(double fahrenheit) { return (fahrenheit - 32.0) * 0.5555555555555556; }

// Refuses or passes on `value` against an inclusive `limit`; close calls are Either.
Verdict Within(double value, double limit) {
    if (std::fabs(std::fabs(value) - limit) < kMargin) return Verdict::Either;
    return std::fabs(value) <= limit ? Verdict::Accept : Verdict::Refuse;
}

Verdict Range(double value, double low, double high) {
    if (std::fabs(value - low) < kMargin || std::fabs(value - high) < kMargin)
        return Verdict::Either;
    return value >= low && value <= high ? Verdict::Accept : Verdict::Refuse;
}

// Refuse wins over Either, Either over Accept.
Verdict Both(Verdict a, Verdict b) {
    if (a == Verdict::Refuse || b == Verdict::Refuse) return Verdict::Refuse;
    if (a == Verdict::Either || b == Verdict::Either) return Verdict::Either;
    return Verdict::Accept;
}

struct Line {
    double slope = 1.0;
    double offset = 0.0;
};

// The entry as the channel's values (degrees C for temperature).
std::array<double, 4> InChannelUnits(const ChannelRule& rule, const Entry& entry, bool fahrenheit) {
    std::array<double, 4> values = entry.values;
    if (rule.quantity == Quantity::Temperature && fahrenheit) {
        for (double& value : values) value = Celsius(value);
    }
    return values;
}

int OnePointKind(Quantity quantity) {
    switch (quantity) {
        case Quantity::NoiseVibration:
            return 4;
        case Quantity::Voltage:
            return 3;
        default:
            return 0;
    }
}

double OffsetLimit(Quantity quantity) {
    switch (OnePointKind(quantity)) {
        case 4:
            return 50.0;
        case 3:
            return 3.0;
        default:
            return 30.0;
    }
}

Expectation BaseUnitSend(const ChannelRule& rule, const Entry& entry, Codes held, bool fahrenheit) {
    Expectation out;
    const auto [x1, y1, x2, y2] = InChannelUnits(rule, entry, fahrenheit);
    const double a0 = held.slope / static_cast<double>(rule.slopeScale);
    const double b0 = held.offset / static_cast<double>(rule.offsetScale);
    const bool noise = rule.quantity == Quantity::NoiseVibration;
    Line entered;
    Verdict verdict = Verdict::Accept;
    if (!entry.twoPoint) {
        verdict = Within(y1 - x1 + b0, OffsetLimit(rule.quantity));
        entered = {1.0, Round(y1 - x1, 3)};
    } else {
        if (x1 == x2) return {Verdict::Refuse, 0, 0, "equal before values"};
        const double s = (y2 - y1) / (x2 - x1);
        if (s == 0) return {Verdict::Refuse, 0, 0, "flat line"};
        const double product = s * a0;
        verdict = noise ? Range(product, 0.5, 2.0) : Range(product, 0.0, 2.0);
        verdict = Both(verdict, Within(y1 - x1 * product + b0, OffsetLimit(rule.quantity)));
        entered.slope = Round(s, 3);
        entered.offset = y2 - entered.slope * x2;
    }
    const double current0 = rule.roundsCurrent ? Round(a0, 3) : a0;
    const double current1 = rule.roundsCurrent ? Round(b0, 3) : b0;
    const double slope = Round(current0 * entered.slope, 3);
    const double offset =
        Round(Round(entered.slope * current1 + entered.offset, 3), rule.offsetDecimals);
    out.slopeCode = slope * rule.slopeScale;
    out.offsetCode = offset * rule.offsetScale;
    // The composed correction, as written, must lie within the limits too:
    // the checks on the entry alone miss what the composition does to a
    // held offset.
    const double slopeLow = noise ? 0.5 : 0.0;
    if (entry.twoPoint) verdict = Both(verdict, Range(slope, slopeLow, 2.0));
    verdict = Both(verdict, Within(offset, OffsetLimit(rule.quantity)));
    // The codes must fit the logger's 16 bits.
    verdict = Both(verdict, Range(out.slopeCode, 0, std::numeric_limits<uint16_t>::max()));
    verdict = Both(verdict, Range(out.offsetCode, std::numeric_limits<int16_t>::min(),
                                  std::numeric_limits<int16_t>::max()));
    out.verdict = verdict;
    out.why = "slope " + std::to_string(slope) + " offset " + std::to_string(offset);
    return out;
}

bool ZeroPoint(Quantity quantity) {
    return quantity == Quantity::Illuminance || quantity == Quantity::Uv;
}

Verdict EntryBounds(const ChannelRule& rule, const Entry& entry) {
    const auto& v = entry.values;
    if (ZeroPoint(rule.quantity)) {
        if (v[0] < -1.0) return Verdict::Refuse;
        if (entry.twoPoint && (v[2] < -1.0 || v[3] < 0.0)) return Verdict::Refuse;
    }
    if (rule.quantity == Quantity::Co2) {
        const int count = entry.twoPoint ? 4 : 2;
        for (int i = 0; i < count; ++i) {
            if (std::trunc(v[static_cast<std::size_t>(i)]) < 0) return Verdict::Refuse;
        }
    }
    return Verdict::Accept;
}

Verdict DirectUsbFits(const ChannelRule& rule, double slopeCode, double offsetCode) {
    return Both(Range(slopeCode, 1, 2000), Within(offsetCode, rule.offsetLimitCode));
}

Expectation DirectUsbSend(const ChannelRule& rule, const Entry& entry, Codes held,
                          HistoryFactor history, bool fahrenheit) {
    if (EntryBounds(rule, entry) == Verdict::Refuse) return {Verdict::Refuse, 0, 0, "entry bound"};
    auto values = InChannelUnits(rule, entry, fahrenheit);
    if (ZeroPoint(rule.quantity)) values[1] = 0.0;
    const auto [x1, y1, x2, y2] = values;
    Line entered;
    if (!entry.twoPoint) {
        entered = {1.0, Round(y1 - x1, 3)};
    } else {
        if (x1 == x2) return {Verdict::Refuse, 0, 0, "equal before values"};
        const double s = (y2 - y1) / (x2 - x1);
        if (s == 0) return {Verdict::Refuse, 0, 0, "flat line"};
        entered.slope = Round(s, 3);
        entered.offset = y2 - entered.slope * x2;
    }
    const double factor = history.present ? history.factor : 1000.0;
    const double base = RoundWhole(factor) == held.slope ? factor : held.slope;
    const double slope = RoundWhole(entered.slope == 1.0 ? base : entered.slope * base);
    const double offset =
        RoundWhole(entered.offset * rule.offsetScale + held.offset * entered.slope);
    Expectation out{DirectUsbFits(rule, slope, offset), slope, offset, ""};
    out.why = "slope code " + std::to_string(slope) + " (base " + std::to_string(base) +
              ") offset code " + std::to_string(offset);
    return out;
}

}  // namespace

Expectation ExpectSend(const ChannelRule& rule, const Entry& entry, Codes held,
                       HistoryFactor factor, bool fahrenheit, std::optional<Codes> otherOfPair,
                       const ChannelRule* otherRule) {
    if (rule.scheme == Scheme::BaseUnit) return BaseUnitSend(rule, entry, held, fahrenheit);
    Expectation out = DirectUsbSend(rule, entry, held, factor, fahrenheit);
    // The pair's other channel is written back as held, and checked as well.
    if (otherOfPair && otherRule != nullptr) {
        out.verdict =
            Both(out.verdict, DirectUsbFits(*otherRule, otherOfPair->slope, otherOfPair->offset));
    }
    return out;
}

Decoded Decode(const ChannelRule& rule, Codes codes) {
    const double slopeScale = rule.scheme == Scheme::DirectUsb ? 1000.0 : rule.slopeScale;
    return {codes.slope / slopeScale, codes.offset / static_cast<double>(rule.offsetScale)};
}

std::string OutsideLimits(const ChannelRule& rule, Codes codes) {
    const Decoded held = Decode(rule, codes);
    const Limits& limits = rule.limits;
    // A direct-USB slope must stay above zero: its lowest code is one.
    const bool slopeAboveZero = rule.scheme == Scheme::DirectUsb;
    const bool slopeOk = (slopeAboveZero ? held.slope > limits.slopeLow - kMargin
                                         : held.slope >= limits.slopeLow - kMargin) &&
                         held.slope <= limits.slopeHigh + kMargin &&
                         (!slopeAboveZero || codes.slope > 0);
    const bool offsetOk = std::fabs(held.offset) <= limits.offsetLimit + kMargin;
    if (slopeOk && offsetOk) return {};
    char text[160];
    std::snprintf(text, sizeof text,
                  "%s holds y = %.5fx %+.4f, outside its limits (slope %.1f to %.1f, offset +-%g)",
                  rule.name.c_str(), held.slope, held.offset, limits.slopeLow, limits.slopeHigh,
                  limits.offsetLimit);
    return text;
}

std::string NotComposedOn(const ChannelRule& rule, const Entry& entry, bool fahrenheit,
                          Codes before, Codes after) {
    auto values = InChannelUnits(rule, entry, fahrenheit);
    if (rule.scheme == Scheme::DirectUsb && ZeroPoint(rule.quantity)) values[1] = 0.0;
    const auto [x1, y1, x2, y2] = values;
    Line entered{1.0, y1 - x1};
    if (entry.twoPoint) {
        entered.slope = Round((y2 - y1) / (x2 - x1), 3);
        entered.offset = y2 - entered.slope * x2;
    }
    const Decoded was = Decode(rule, before);
    const Decoded now = Decode(rule, after);
    const double a = std::fabs(entered.slope);
    const bool direct = rule.scheme == Scheme::DirectUsb;
    const double slopeCode = direct ? 1000.0 : rule.slopeScale;
    // Code steps, the three-decimal rounding of the composition and, where
    // the current correction is rounded first or the slope is composed on a
    // history factor within half a code of the held one, that error times a.
    const double currentError = rule.roundsCurrent ? 0.0005 * a : 0.0;
    const double slopeTolerance = (1.0 + 0.5 * a) / slopeCode + 0.0005 + currentError + kMargin;
    const double offsetTolerance = 1.0 / rule.offsetScale +
                                   (direct ? 0.0 : 0.5 * std::pow(10.0, -rule.offsetDecimals)) +
                                   0.0005 * (1.0 + a) + currentError + kMargin;
    const double slope = was.slope * entered.slope;
    const double offset = entered.slope * was.offset + entered.offset;
    if (std::fabs(now.slope - slope) <= slopeTolerance &&
        std::fabs(now.offset - offset) <= offsetTolerance) {
        return {};
    }
    char text[200];
    std::snprintf(text, sizeof text,
                  "%s holds y = %.5fx %+.4f; the entered y = %.3fx %+.4f composed on the held "
                  "y = %.5fx %+.4f is y = %.5fx %+.4f",
                  rule.name.c_str(), now.slope, now.offset, entered.slope, entered.offset,
                  was.slope, was.offset, slope, offset);
    return text;
}

bool IsComposition(const ChannelRule& rule, Codes actual, const Expectation& expected) {
    if (rule.scheme == Scheme::DirectUsb) {
        return actual.slope == expected.slopeCode && actual.offset == expected.offsetCode;
    }
    return WithinOneCode(actual, expected.slopeCode, expected.offsetCode);
}

bool RecordsCodes(const ChannelRule& rule, Codes codes, double slope, double offset) {
    const Decoded held = Decode(rule, codes);
    auto same = [](double recorded, double decoded) {
        return std::fabs(recorded - decoded) <= 1e-9 ||
               std::fabs(recorded - Round(decoded, 3)) <= 1e-9;
    };
    return same(slope, held.slope) && same(offset, held.offset);
}

Codes IdentityCodes(const ChannelRule& rule) {
    return {rule.scheme == Scheme::DirectUsb ? 1000 : rule.slopeScale, 0};
}

bool WithinOneCode(Codes actual, double slopeCode, double offsetCode) {
    return std::fabs(actual.slope - slopeCode) <= 1.0 + kMargin &&
           std::fabs(actual.offset - offsetCode) <= 1.0 + kMargin;
}

}  // namespace tb::sequence
