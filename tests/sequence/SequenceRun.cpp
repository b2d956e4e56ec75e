#include "tests/sequence/SequenceRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>

namespace tb::sequence {
namespace {

// How a quantity's readings are drawn and typed.
struct ReadingShape {
    double low, high;  // the usual range of a reading
    double drift;      // the usual one-point difference
    double wide;       // a difference far beyond the limits
    double span;       // the usual distance of a second point
    int decimals;
};

ReadingShape ShapeOf(Quantity quantity, bool fahrenheit) {
    switch (quantity) {
        case Quantity::Temperature:
            return fahrenheit ? ReadingShape{14, 120, 4, 70, 30, 1}
                              : ReadingShape{-10, 50, 2.5, 40, 20, 1};
        case Quantity::Humidity:
            return {10, 90, 3, 40, 30, 1};
        case Quantity::CurrentLoop:
            return {4, 20, 1, 40, 8, 2};
        case Quantity::Voltage:
            return {0, 5, 0.8, 4, 2, 2};
        case Quantity::NoiseVibration:
            return {30, 99, 8, 60, 20, 1};
        case Quantity::Illuminance:
            return {-1, 35, 0, 0, 1500, 1};
        case Quantity::Uv:
            return {-1, 35, 0, 0, 15, 2};
        case Quantity::Co2:
            return {300, 2500, 150, 4000, 800, 0};
    }
    return {0, 1, 0, 0, 1, 1};
}

std::string Typed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

class Draw {
  public:
    explicit Draw(uint32_t seed) : engine_(seed) {}
    double Uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(engine_);
    }
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool Chance(double p) { return Uniform(0, 1) < p; }

  private:
    std::mt19937 engine_;
};

// One value as typed, and the value the typed text stands for.
double Reading(double value, int decimals, std::string& typed) {
    typed = Typed(value, decimals);
    return std::stod(typed);
}

void MakeEntry(Draw& draw, const ChannelRule& rule, Op& op) {
    const ReadingShape shape = ShapeOf(rule.quantity, op.fahrenheit);
    const bool zeroPoint = rule.quantity == Quantity::Illuminance || rule.quantity == Quantity::Uv;
    op.entry.twoPoint = draw.Chance(0.4);
    const bool wide = draw.Chance(0.05);
    const double x1 = draw.Uniform(shape.low, shape.high);
    double y1 = zeroPoint ? 0.0 : x1 + draw.Uniform(-shape.drift, shape.drift);
    if (wide && !zeroPoint) y1 = x1 + (draw.Chance(0.5) ? shape.wide : -shape.wide);
    // A zero-point channel's one-point offset is the reading itself: a wide
    // one lies below -1 or beyond the offset limit.
    op.entry.values[0] = Reading(wide && zeroPoint ? draw.Uniform(-3, 60) : x1, shape.decimals,
                                 op.typed[0]);
    op.entry.values[1] = Reading(y1, shape.decimals, op.typed[1]);
    if (zeroPoint) op.typed[1] = "0.0";
    if (!op.entry.twoPoint) return;
    const double x2 = x1 + (draw.Chance(0.03) ? 0.0 : draw.Uniform(0.3, 1.0) * shape.span);
    const double slope = wide ? (draw.Chance(0.5) ? 2.6 : 0.3) : draw.Uniform(0.9, 1.1);
    const double y2 = op.entry.values[1] + (x2 - op.entry.values[0]) * slope;
    op.entry.values[2] = Reading(x2, shape.decimals, op.typed[2]);
    op.entry.values[3] = Reading(y2, shape.decimals, op.typed[3]);
}

const char* const kBadTexts[] = {"1.2.3", "abc", "", "12.", "1 2", "+-1"};

Op MakeOp(Draw& draw, const Family& family, const RunSettings& settings) {
    Op op;
    const auto& channels = family.Channels();
    op.channel = draw.Int(0, static_cast<int>(channels.size()) - 1);
    const bool hasTemperature = channels[static_cast<std::size_t>(op.channel)].quantity ==
                                Quantity::Temperature;
    op.fahrenheit = hasTemperature && draw.Chance(0.15);
    const int pick = draw.Int(0, 99);
    op.kind = pick < 70 ? OpKind::Send : pick < 78 ? OpKind::Initialise
              : pick < 90                          ? OpKind::Receive
                                                   : OpKind::BadEntry;
    op.answerYes = !draw.Chance(0.1);
    if (op.kind == OpKind::Send || op.kind == OpKind::BadEntry) {
        MakeEntry(draw, channels[static_cast<std::size_t>(op.channel)], op);
    }
    if (op.kind == OpKind::BadEntry) {
        op.typed[0] = kBadTexts[draw.Int(0, static_cast<int>(std::size(kBadTexts)) - 1)];
    }
    if (draw.Chance(settings.faultShare)) {
        op.fault = draw.Int(0, static_cast<int>(family.FaultNames().size()) - 1);
        op.faultSkip = draw.Int(0, 6);
        op.faultCount = draw.Int(1, 4);
    }
    return op;
}

std::string CodesText(Codes codes) {
    return "(" + std::to_string(codes.slope) + ", " + std::to_string(codes.offset) + ")";
}

std::string HeldText(const std::vector<Codes>& held) {
    std::string text;
    for (const Codes& codes : held) text += CodesText(codes) + " ";
    return text;
}

// Every channel but those in `except` keeps its codes exactly.
std::string OthersKept(const std::vector<Codes>& before, const std::vector<Codes>& after,
                       const std::vector<int>& except) {
    for (std::size_t i = 0; i < before.size(); ++i) {
        bool excepted = false;
        for (int channel : except) excepted = excepted || channel == static_cast<int>(i);
        if (!excepted && before[i] != after[i]) {
            return "channel " + std::to_string(i + 1) + " changed from " + CodesText(before[i]) +
                   " to " + CodesText(after[i]) + " although the operation did not target it";
        }
    }
    return {};
}

std::string CheckSend(Family& family, const Op& op, const std::vector<Codes>& before,
                      const HistoryFactor& factor, const std::vector<Codes>& after,
                      const OpReport& report) {
    const bool faulted = op.fault >= 0;
    if (!op.answerYes) {
        if (report.success) return "a send answered No reported success";
        return OthersKept(before, after, {});
    }
    const auto& rules = family.Channels();
    const std::size_t target = static_cast<std::size_t>(op.channel);
    const int pair = family.PairOf(op.channel);
    std::optional<Codes> other;
    if (pair >= 0) other = before[static_cast<std::size_t>(pair)];
    const Expectation expected =
        ExpectSend(rules[target], op.entry, before[target], factor, op.fahrenheit, other,
                   pair >= 0 ? &rules[static_cast<std::size_t>(pair)] : nullptr);
    if (report.success) {
        if (expected.verdict == Verdict::Refuse) {
            return "the page wrote an entry the rules refuse (" + expected.why + ")";
        }
        if (!WithinOneCode(after[target], expected.slopeCode, expected.offsetCode)) {
            return "the targeted channel holds " + CodesText(after[target]) + ", the rules give " +
                   expected.why;
        }
        return OthersKept(before, after, {op.channel});
    }
    if (!report.failure) {
        if (expected.verdict == Verdict::Accept && !faulted) return "an accepted send said nothing";
        return OthersKept(before, after, {});
    }
    if (faulted) return {};
    if (expected.verdict == Verdict::Accept) {
        return "the page refused an entry the rules accept (" + expected.why + ")";
    }
    return OthersKept(before, after, {});
}

std::string CheckInitialise(Family& family, const Op& op, const std::vector<Codes>& before,
                            const std::vector<Codes>& after, const OpReport& report) {
    if (!op.answerYes) {
        if (report.success) return "an initialise answered No reported success";
        return OthersKept(before, after, {});
    }
    const std::vector<int> group = family.InitialisedWith(op.channel);
    if (report.success) {
        for (int channel : group) {
            const Codes identity = IdentityCodes(family.Channels()[static_cast<std::size_t>(channel)]);
            if (after[static_cast<std::size_t>(channel)] != identity) {
                return "initialise left channel " + std::to_string(channel + 1) + " at " +
                       CodesText(after[static_cast<std::size_t>(channel)]);
            }
        }
        return OthersKept(before, after, group);
    }
    if (op.fault < 0) return "an initialise without a fault did not report success";
    return report.failure ? std::string() : "a failed initialise said nothing";
}

std::string CheckJournal(Family& family, const std::vector<Codes>& after, const OpReport& report) {
    for (const LeftRecord& left : report.asLeft) {
        const ChannelRule& rule = family.Channels().at(static_cast<std::size_t>(left.channel));
        const double slopeScale = rule.scheme == Scheme::DirectUsb ? 1000.0 : rule.slopeScale;
        const Codes held = after.at(static_cast<std::size_t>(left.channel));
        if (!WithinOneCode(held, left.slope * slopeScale, left.offset * rule.offsetScale)) {
            return "the journal's as-left of channel " + std::to_string(left.channel + 1) + " (" +
                   std::to_string(left.slope) + ", " + std::to_string(left.offset) +
                   ") is not what the logger holds " + CodesText(held);
        }
    }
    return {};
}

std::string Check(Family& family, const Op& op, const std::vector<Codes>& before,
                  const HistoryFactor& factor, const std::vector<Codes>& after,
                  const OpReport& report) {
    std::string problem;
    switch (op.kind) {
        case OpKind::Send:
            problem = CheckSend(family, op, before, factor, after, report);
            break;
        case OpKind::Initialise:
            problem = CheckInitialise(family, op, before, after, report);
            break;
        case OpKind::Receive:
            problem = OthersKept(before, after, {});
            if (problem.empty() && op.fault < 0 && !report.success) problem = "a receive failed";
            break;
        case OpKind::BadEntry:
            if (report.success) problem = "an unreadable entry was sent";
            else if (!report.failure) problem = "an unreadable entry was not refused";
            else problem = OthersKept(before, after, {});
            break;
    }
    if (problem.empty()) problem = CheckJournal(family, after, report);
    if (problem.empty()) return {};
    return problem + "\n  held before: " + HeldText(before) + "\n  held after:  " + HeldText(after) +
           "\n  the page said:\n" + report.said;
}

}  // namespace

std::string Describe(const Op& op, const std::vector<std::string>& faultNames) {
    std::ostringstream out;
    static const char* const kKinds[] = {"send", "initialise", "receive", "unreadable send"};
    out << kKinds[static_cast<int>(op.kind)] << " CH" << op.channel + 1;
    if (op.kind == OpKind::Send || op.kind == OpKind::BadEntry) {
        out << (op.entry.twoPoint ? " 2-point" : " 1-point") << " [" << op.typed[0] << " -> "
            << op.typed[1];
        if (op.entry.twoPoint) out << ", " << op.typed[2] << " -> " << op.typed[3];
        out << "]";
    }
    if (op.fahrenheit) out << " in degF";
    if (!op.answerYes) out << ", answered No";
    if (op.fault >= 0) {
        out << ", fault " << faultNames.at(static_cast<std::size_t>(op.fault)) << " x"
            << op.faultCount << " after " << op.faultSkip << " replies";
    }
    return out.str();
}

std::vector<Op> MakeOperations(const Family& family, const RunSettings& settings) {
    Draw draw(settings.seed);
    std::vector<Op> ops;
    ops.reserve(static_cast<std::size_t>(settings.operations));
    for (int i = 0; i < settings.operations; ++i) ops.push_back(MakeOp(draw, family, settings));
    return ops;
}

RunResult RunOperations(const FamilyFactory& factory, const std::vector<Op>& ops) {
    RunResult result;
    std::unique_ptr<Family> family = factory();
    for (const Op& op : ops) {
        const std::vector<Codes> before = family->Held();
        const HistoryFactor factor = family->Factor(op.channel);
        if (op.fault >= 0) {
            family->Arm(op.fault, op.faultSkip, op.faultCount);
            ++result.faultsMet[family->FaultNames()[static_cast<std::size_t>(op.fault)]];
        }
        const OpReport report = family->Run(op);
        family->ClearFaults();
        const std::vector<Codes> after = family->Held();
        ++result.operationsRun;
        const std::string problem = Check(*family, op, before, factor, after, report);
        if (!problem.empty()) {
            result.failure = "operation " + std::to_string(result.operationsRun) + " (" +
                             Describe(op, family->FaultNames()) + "): " + problem;
            result.failing.assign(ops.begin(), ops.begin() + result.operationsRun);
            return result;
        }
    }
    return result;
}

RunResult RunSeeded(const FamilyFactory& factory, const RunSettings& settings) {
    const std::vector<Op> ops = MakeOperations(*factory(), settings);
    RunResult result = RunOperations(factory, ops);
    if (result.failure.empty()) return result;
    // Shrink: drop ever smaller chunks of operations while the run still
    // fails, within a bounded number of replays.
    std::vector<Op> shortest = result.failing;
    std::string failure = result.failure;
    constexpr int kMaxReplays = 120;
    int replays = 0;
    for (std::size_t chunk = shortest.size() / 2; chunk >= 1 && replays < kMaxReplays;
         chunk /= 2) {
        for (std::size_t at = 0; at + 1 < shortest.size() && replays < kMaxReplays;) {
            const std::size_t end = std::min(at + chunk, shortest.size() - 1);
            std::vector<Op> candidate = shortest;
            candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(at),
                            candidate.begin() + static_cast<std::ptrdiff_t>(end));
            ++replays;
            const RunResult again = RunOperations(factory, candidate);
            if (!again.failure.empty()) {
                shortest = again.failing;
                failure = again.failure;
            } else {
                at = end;
            }
        }
    }
    result.failing = shortest;
    result.failure = failure;
    return result;
}

}  // namespace tb::sequence
