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
    // Near the edge: a one-point change that takes most of the offset limit,
    // or a steep second point, so that later compositions press on the limits.
    const bool edge = !wide && !zeroPoint && !op.fahrenheit && draw.Chance(0.08);
    const double x1 = draw.Uniform(shape.low, shape.high);
    double y1 = zeroPoint ? 0.0 : x1 + draw.Uniform(-shape.drift, shape.drift);
    if (wide && !zeroPoint) y1 = x1 + (draw.Chance(0.5) ? shape.wide : -shape.wide);
    if (edge && !op.entry.twoPoint) {
        const double reach = draw.Uniform(0.7, 0.97) * rule.limits.offsetLimit;
        y1 = x1 + (draw.Chance(0.5) ? reach : -reach);
    }
    // A zero-point channel's one-point offset is the reading itself: a wide
    // one lies below -1 or beyond the offset limit.
    op.entry.values[0] =
        Reading(wide && zeroPoint ? draw.Uniform(-3, 60) : x1, shape.decimals, op.typed[0]);
    op.entry.values[1] = Reading(y1, shape.decimals, op.typed[1]);
    if (zeroPoint) op.typed[1] = "0.0";
    if (!op.entry.twoPoint) return;
    const double x2 = x1 + (draw.Chance(0.03) ? 0.0 : draw.Uniform(0.3, 1.0) * shape.span);
    const double slope = wide   ? (draw.Chance(0.5) ? 2.6 : 0.3)
                         : edge ? draw.Uniform(1.2, 1.9)
                                : draw.Uniform(0.9, 1.1);
    const double y2 = op.entry.values[1] + (x2 - op.entry.values[0]) * slope;
    op.entry.values[2] = Reading(x2, shape.decimals, op.typed[2]);
    op.entry.values[3] = Reading(y2, shape.decimals, op.typed[3]);
}

const char* const kBadTexts[] = {"1.2.3", "abc", "", "12.", "1 2", "+-1"};

// The family's events in turn, so that a short run still meets each of them.
class EventTurns {
  public:
    explicit EventTurns(std::vector<Event> events) : events_(std::move(events)) {}
    bool Any() const { return !events_.empty(); }
    Event Next() { return events_[next_++ % events_.size()]; }

  private:
    std::vector<Event> events_;
    std::size_t next_ = 0;
};

void MakeEvent(Draw& draw, Event event, Op& op) {
    op.event = event;
    // An event op is meant to reach its write: a plain entry, answered Yes,
    // no line fault in the way.
    op.answerYes = true;
    op.fault = -1;
    if (event == Event::RefuseCalibrationWrite || event == Event::RefuseHistoryWrite) {
        op.eventCount = draw.Int(1, 3);
    }
    if (event == Event::OutsideChange) {
        op.outsideDelta = {draw.Int(-40, 40), draw.Int(-400, 400)};
    }
}

Op MakeOp(Draw& draw, const Family& family, const RunSettings& settings, EventTurns& turns) {
    Op op;
    const auto& channels = family.Channels();
    op.channel = draw.Int(0, static_cast<int>(channels.size()) - 1);
    const bool hasTemperature =
        channels[static_cast<std::size_t>(op.channel)].quantity == Quantity::Temperature;
    op.fahrenheit = hasTemperature && draw.Chance(0.15);
    const int pick = draw.Int(0, 99);
    op.kind = pick < 70   ? OpKind::Send
              : pick < 78 ? OpKind::Initialise
              : pick < 90 ? OpKind::Receive
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
    if (op.kind == OpKind::Send && family.TicksBoth(op.channel) &&
        draw.Chance(settings.pairShare)) {
        const int partner = family.PairOf(op.channel);
        Op partnerOp;
        partnerOp.fahrenheit = op.fahrenheit;
        MakeEntry(draw, channels[static_cast<std::size_t>(partner)], partnerOp);
        op.bothOfPair = true;
        op.partnerEntry = partnerOp.entry;
        op.partnerTyped = partnerOp.typed;
    }
    if (op.kind == OpKind::Send && turns.Any() && draw.Chance(settings.eventShare)) {
        MakeEvent(draw, turns.Next(), op);
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

bool Contains(const std::vector<int>& channels, std::size_t channel) {
    return std::find(channels.begin(), channels.end(), static_cast<int>(channel)) != channels.end();
}

// Every channel but those in `except` keeps its codes exactly.
std::string OthersKept(const std::vector<Codes>& before, const std::vector<Codes>& after,
                       const std::vector<int>& except) {
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!Contains(except, i) && before[i] != after[i]) {
            return "channel " + std::to_string(i + 1) + " changed from " + CodesText(before[i]) +
                   " to " + CodesText(after[i]) + " although the operation did not target it";
        }
    }
    return {};
}

// Every channel holds a correction within its channel's limits.
std::string WithinLimits(const Family& family, const std::vector<Codes>& after) {
    for (std::size_t i = 0; i < after.size(); ++i) {
        std::string outside = OutsideLimits(family.Channels()[i], after[i]);
        if (!outside.empty()) return outside;
    }
    return {};
}

const char* WriteText(pages::LoggerWrite write) {
    switch (write) {
        case pages::LoggerWrite::None:
            return "nothing written";
        case pages::LoggerWrite::Written:
            return "written";
        case pages::LoggerWrite::Unknown:
            return "unknown";
    }
    return "?";
}

// What a send targets and what each target must then hold.
struct SendPlan {
    std::vector<int> targets;
    std::vector<Expectation> expected;
    Verdict verdict = Verdict::Accept;
};

Verdict Both(Verdict a, Verdict b) {
    if (a == Verdict::Refuse || b == Verdict::Refuse) return Verdict::Refuse;
    if (a == Verdict::Either || b == Verdict::Either) return Verdict::Either;
    return Verdict::Accept;
}

SendPlan PlanSend(const Family& family, const Op& op, const std::vector<Codes>& before,
                  const std::vector<HistoryFactor>& factors) {
    const auto& rules = family.Channels();
    const int pair = family.PairOf(op.channel);
    SendPlan plan;
    auto add = [&](int channel, const Entry& entry, std::optional<Codes> other,
                   const ChannelRule* otherRule) {
        const std::size_t at = static_cast<std::size_t>(channel);
        Expectation expected =
            ExpectSend(rules[at], entry, before[at], factors[at], op.fahrenheit, other, otherRule);
        plan.verdict = Both(plan.verdict, expected.verdict);
        plan.targets.push_back(channel);
        plan.expected.push_back(std::move(expected));
    };
    if (op.bothOfPair && pair >= 0) {
        add(op.channel, op.entry, std::nullopt, nullptr);
        add(pair, op.partnerEntry, std::nullopt, nullptr);
    } else if (pair >= 0) {
        add(op.channel, op.entry, before[static_cast<std::size_t>(pair)],
            &rules[static_cast<std::size_t>(pair)]);
    } else {
        add(op.channel, op.entry, std::nullopt, nullptr);
    }
    return plan;
}

// Where the targets stand after a write was tried: all at their previous
// codes, all at the new ones (both when the new codes are the old), or neither.
struct Left {
    bool previous = true;
    bool written = true;
};

template <class IsNew>
Left Compare(const std::vector<int>& targets, const std::vector<Codes>& before,
             const std::vector<Codes>& after, IsNew isNew) {
    Left left;
    for (std::size_t k = 0; k < targets.size(); ++k) {
        const std::size_t at = static_cast<std::size_t>(targets[k]);
        left.previous = left.previous && after[at] == before[at];
        left.written = left.written && isNew(k, after[at]);
    }
    return left;
}

// The fault that makes a logger answer with other codes than it was given
// or holds: what it then stores is neither the old nor the new codes.
constexpr const char* kStoreAltered = "read-back differs";

bool AltersStore(const Family& family, const Op& op) {
    return op.fault >= 0 &&
           family.FaultNames()[static_cast<std::size_t>(op.fault)] == kStoreAltered;
}

// After a write that did not report success: the logger holds its previous
// codes or exactly the new ones, and the page's outcome says which; it may
// say "unknown" only where a fault on the line hid the logger's state. Only
// then may a write cut short (a logger written a byte at a time) have left
// it holding neither; a logger that altered what it stores holds neither
// too, and the page must not say that nothing reached it.
std::string CheckFailedWrite(const Family& family, const Op& op, const OpReport& report,
                             Left left) {
    if (!left.previous && !left.written) {
        if (op.fault >= 0 && report.outcome.write == pages::LoggerWrite::Unknown) return {};
        if (!AltersStore(family, op)) {
            return "after a failure the logger holds neither its previous codes nor the new ones";
        }
        return report.outcome.write == pages::LoggerWrite::None
                   ? "the logger's codes changed, but the page says nothing was written"
                   : std::string();
    }
    const pages::LoggerWrite write = report.outcome.write;
    if (write == pages::LoggerWrite::Unknown) {
        return op.fault >= 0
                   ? std::string()
                   : "the page called the logger's state unknown with no fault on the line";
    }
    if (write == pages::LoggerWrite::None && !left.previous) {
        return "the new codes reached the logger, but the page says nothing was written";
    }
    if (write == pages::LoggerWrite::Written && !left.written) {
        return "the page says the correction was written, but the logger kept its previous codes";
    }
    return {};
}

std::string CheckOutcomeIs(const OpReport& report, pages::LoggerWrite write, const char* what) {
    if (report.outcome.write == write) return {};
    return std::string("after ") + what + " the page's outcome says " +
           WriteText(report.outcome.write) + ", not " + WriteText(write);
}

std::string CheckSend(Family& family, const Op& op, const std::vector<Codes>& before,
                      const std::vector<HistoryFactor>& factors, const std::vector<Codes>& after,
                      const OpReport& report) {
    const bool disturbed = op.fault >= 0 || Disturbs(op.event);
    if (!op.answerYes) {
        if (report.success) return "a send answered No reported success";
        std::string problem = OthersKept(before, after, {});
        return problem.empty() ? CheckOutcomeIs(report, pages::LoggerWrite::None, "a No") : problem;
    }
    const auto& rules = family.Channels();
    const SendPlan plan = PlanSend(family, op, before, factors);
    if (report.success) {
        if (plan.verdict == Verdict::Refuse) {
            return "the page wrote an entry the rules refuse (" + plan.expected.front().why + ")";
        }
        for (std::size_t k = 0; k < plan.targets.size(); ++k) {
            const std::size_t at = static_cast<std::size_t>(plan.targets[k]);
            if (!IsComposition(rules[at], after[at], plan.expected[k])) {
                return "channel " + std::to_string(at + 1) + " holds " + CodesText(after[at]) +
                       ", the rules give " + plan.expected[k].why;
            }
            const Entry& entry = static_cast<int>(at) == op.channel ? op.entry : op.partnerEntry;
            std::string problem =
                NotComposedOn(rules[at], entry, op.fahrenheit, before[at], after[at]);
            if (!problem.empty()) return problem;
        }
        std::string problem = OthersKept(before, after, plan.targets);
        return problem.empty() ? CheckOutcomeIs(report, pages::LoggerWrite::Written, "a send")
                               : problem;
    }
    if (!disturbed && plan.verdict == Verdict::Accept) {
        return report.failure ? "the page refused an entry the rules accept (" +
                                    plan.expected.front().why + ")"
                              : std::string("an accepted send said nothing");
    }
    // A logger that alters what it stores may alter the whole pair it was given.
    std::vector<int> written = plan.targets;
    const int pair = family.PairOf(op.channel);
    if (AltersStore(family, op) && pair >= 0) written.push_back(pair);
    std::string problem = OthersKept(before, after, written);
    if (!problem.empty()) return problem;
    const Left left = Compare(plan.targets, before, after, [&](std::size_t k, Codes held) {
        return IsComposition(rules[static_cast<std::size_t>(plan.targets[k])], held,
                             plan.expected[k]);
    });
    if (!report.failure && !left.previous) return "a send that said nothing changed the logger";
    return CheckFailedWrite(family, op, report, left);
}

std::string CheckInitialise(Family& family, const Op& op, const std::vector<Codes>& before,
                            const std::vector<Codes>& after, const OpReport& report) {
    if (!op.answerYes) {
        if (report.success) return "an initialise answered No reported success";
        std::string problem = OthersKept(before, after, {});
        return problem.empty() ? CheckOutcomeIs(report, pages::LoggerWrite::None, "a No") : problem;
    }
    const std::vector<int> group = family.InitialisedWith(op.channel);
    auto identity = [&](int channel) {
        return IdentityCodes(family.Channels()[static_cast<std::size_t>(channel)]);
    };
    if (report.success) {
        for (int channel : group) {
            if (after[static_cast<std::size_t>(channel)] != identity(channel)) {
                return "initialise left channel " + std::to_string(channel + 1) + " at " +
                       CodesText(after[static_cast<std::size_t>(channel)]);
            }
        }
        std::string problem = OthersKept(before, after, group);
        return problem.empty()
                   ? CheckOutcomeIs(report, pages::LoggerWrite::Written, "an initialise")
                   : problem;
    }
    if (op.fault < 0) return "an initialise without a fault did not report success";
    if (!report.failure) return "a failed initialise said nothing";
    std::string problem = OthersKept(before, after, group);
    if (!problem.empty()) return problem;
    const Left left = Compare(group, before, after, [&](std::size_t k, Codes held) {
        return held == identity(group[k]);
    });
    return CheckFailedWrite(family, op, report, left);
}

// The journal's as-left of every channel is what the logger holds, decoded
// from its codes.
std::string CheckJournal(Family& family, const std::vector<Codes>& after, const OpReport& report) {
    for (const LeftRecord& left : report.asLeft) {
        const ChannelRule& rule = family.Channels().at(static_cast<std::size_t>(left.channel));
        const Codes held = after.at(static_cast<std::size_t>(left.channel));
        if (!RecordsCodes(rule, held, left.slope, left.offset)) {
            const Decoded decoded = Decode(rule, held);
            char text[200];
            std::snprintf(text, sizeof text,
                          "the journal's as-left of channel %d (y = %.6fx %+.6f) is not what the "
                          "logger holds, %s = y = %.6fx %+.6f",
                          left.channel + 1, left.slope, left.offset, CodesText(held).c_str(),
                          decoded.slope, decoded.offset);
            return text;
        }
    }
    return {};
}

std::string Check(Family& family, const Op& op, const std::vector<Codes>& before,
                  const std::vector<HistoryFactor>& factors, const std::vector<Codes>& after,
                  const OpReport& report) {
    std::string problem = WithinLimits(family, after);
    if (problem.empty()) {
        switch (op.kind) {
            case OpKind::Send:
                problem = CheckSend(family, op, before, factors, after, report);
                break;
            case OpKind::Initialise:
                problem = CheckInitialise(family, op, before, after, report);
                break;
            case OpKind::Receive:
                problem = OthersKept(before, after, {});
                if (problem.empty() && op.fault < 0 && !report.success)
                    problem = "a receive failed";
                break;
            case OpKind::BadEntry:
                if (report.success)
                    problem = "an unreadable entry was sent";
                else if (!report.failure)
                    problem = "an unreadable entry was not refused";
                else
                    problem = OthersKept(before, after, {});
                break;
        }
    }
    if (problem.empty() && !AltersStore(family, op)) problem = CheckJournal(family, after, report);
    if (problem.empty()) return {};
    return problem + "\n  held before: " + HeldText(before) +
           "\n  held after:  " + HeldText(after) +
           "\n  the page's outcome: " + WriteText(report.outcome.write) +
           (report.outcome.historyIncomplete ? ", history incomplete" : "") +
           "\n  the page said:\n" + report.said;
}

const char* EventText(Event event) {
    switch (event) {
        case Event::None:
            return "";
        case Event::RefuseCalibrationWrite:
            return "correction write refused";
        case Event::RefuseHistoryWrite:
            return "history write refused";
        case Event::Recording:
            return "logger recording";
        case Event::BusyLock:
            return "communication lock held";
        case Event::NanFactor:
            return "history factor NaN";
        case Event::HistoryGap:
            return "history gap";
        case Event::ForeignEntry:
            return "history entry of another sensor";
        case Event::OutsideChange:
            return "codes changed outside";
    }
    return "";
}

}  // namespace

bool Disturbs(Event event) {
    switch (event) {
        case Event::RefuseCalibrationWrite:
        case Event::RefuseHistoryWrite:
        case Event::Recording:
        case Event::BusyLock:
            return true;
        default:
            return false;
    }
}

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
    if (op.bothOfPair) {
        out << " and its partner" << (op.partnerEntry.twoPoint ? " 2-point" : " 1-point") << " ["
            << op.partnerTyped[0] << " -> " << op.partnerTyped[1];
        if (op.partnerEntry.twoPoint)
            out << ", " << op.partnerTyped[2] << " -> " << op.partnerTyped[3];
        out << "]";
    }
    if (op.fahrenheit) out << " in degF";
    if (op.event != Event::None) {
        out << ", " << EventText(op.event);
        if (op.event == Event::RefuseCalibrationWrite || op.event == Event::RefuseHistoryWrite) {
            out << " x" << op.eventCount;
        }
        if (op.event == Event::OutsideChange) {
            out << " by (" << op.outsideDelta[0] << ", " << op.outsideDelta[1] << ")";
        }
    }
    if (!op.answerYes) out << ", answered No";
    if (op.fault >= 0) {
        out << ", fault " << faultNames.at(static_cast<std::size_t>(op.fault)) << " x"
            << op.faultCount << " after " << op.faultSkip << " replies";
    }
    return out.str();
}

std::vector<Op> MakeOperations(const Family& family, const RunSettings& settings) {
    Draw draw(settings.seed);
    EventTurns turns(family.Events());
    std::vector<Op> ops;
    ops.reserve(static_cast<std::size_t>(settings.operations));
    for (int i = 0; i < settings.operations; ++i)
        ops.push_back(MakeOp(draw, family, settings, turns));
    return ops;
}

RunResult RunOperations(const FamilyFactory& factory, const std::vector<Op>& ops) {
    RunResult result;
    std::unique_ptr<Family> family = factory();
    for (const Op& op : ops) {
        family->Prepare(op);
        const std::vector<Codes> before = family->Held();
        std::vector<HistoryFactor> factors;
        for (std::size_t i = 0; i < before.size(); ++i) {
            factors.push_back(family->Factor(static_cast<int>(i)));
        }
        if (op.fault >= 0) {
            family->Arm(op.fault, op.faultSkip, op.faultCount);
            ++result.faultsMet[family->FaultNames()[static_cast<std::size_t>(op.fault)]];
        }
        const OpReport report = family->Run(op);
        for (const std::string& name : family->Reached(op, report)) ++result.reached[name];
        family->ClearFaults();
        const std::vector<Codes> after = family->Held();
        ++result.operationsRun;
        const std::string problem = Check(*family, op, before, factors, after, report);
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
    for (std::size_t chunk = shortest.size() / 2; chunk >= 1 && replays < kMaxReplays; chunk /= 2) {
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

std::vector<std::string> Unreached(const Family& family, const RunResult& result) {
    std::vector<std::string> missing;
    for (const std::string& name : family.MustReach()) {
        const auto it = result.reached.find(name);
        if (it == result.reached.end() || it->second == 0) missing.push_back(name);
    }
    return missing;
}

}  // namespace tb::sequence
