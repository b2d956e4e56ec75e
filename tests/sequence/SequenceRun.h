// Long runs of page operations on one simulated logger, as a technician's
// day has them, each checked against the oracle: sends of one and two
// points on random channels, initialises, receives, entries the page must
// refuse, answers of No, and device faults armed at random.
//
// After every operation: every channel holds a correction within its
// channel's limits; a channel the operation did not target keeps its exact
// codes; a successful send left the entered line composed on what the
// channel held (within the codes' resolution) and the very codes the rules
// give; a refused, cancelled or failed operation leaves the logger with its
// previous codes or exactly the new ones, and the page's outcome says
// which; the journal record's as-left is what the logger holds.
//
// Besides device faults on the line, a run arms the logger's own answers
// (refusals aimed at one write, "recording"), holds the communication lock,
// damages history records and changes codes behind the program's back, and
// counts what it reached, so that a run that never got there fails.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "pages/AdjustablePage.h"
#include "tests/sequence/SequenceOracle.h"

namespace tb::sequence {

enum class OpKind { Send, Initialise, Receive, BadEntry };

// What the run does to the logger or the program around one operation.
enum class Event {
    None,
    RefuseCalibrationWrite,  // the logger refuses the correction's write
    RefuseHistoryWrite,      // the logger refuses the history record's write
    Recording,               // the correction's write is answered "recording" (-9)
    BusyLock,                // another exchange holds the communication lock
    NanFactor,               // the channel's history factor is damaged first
    HistoryGap,              // the history record gets an empty slot first
    ForeignEntry,            // the history record gets another sensor's entry first
    OutsideChange,           // another program changes the channel's codes first
};

// Whether the event may make the operation fail without any fault of the page.
bool Disturbs(Event event);

// Names of what a run reached, counted per run.
namespace reached {
inline constexpr const char* kRotationPartnerAdjusted =
    "a history rotation while the partner's slope is not 1.000";
inline constexpr const char* kBothOfPair = "both channels of a pair ticked in one send";
inline constexpr const char* kRefusedCalibrationWrite = "a refusal of the correction's write";
inline constexpr const char* kRefusedHistoryWrite = "a refusal of the history record's write";
inline constexpr const char* kNanFactor = "a history factor that is not a number";
inline constexpr const char* kHistoryGap = "a history record with a gap";
inline constexpr const char* kForeignEntry = "a history record with another sensor's entry";
inline constexpr const char* kOutsideChange =
    "codes changed outside while a history factor is present";
inline constexpr const char* kRecording = "the recording answer (-9)";
inline constexpr const char* kBusyLock = "the communication lock held elsewhere";
}  // namespace reached

struct Op {
    OpKind kind = OpKind::Send;
    int channel = 0;
    Entry entry;
    std::array<std::string, 4> typed;  // the entry as typed (before 1, after 1, ...)
    bool answerYes = true;
    bool fahrenheit = false;
    int fault = -1;  // index into the family's fault names, -1: none
    int faultSkip = 0;
    int faultCount = 1;
    Event event = Event::None;
    int eventCount = 1;                 // refusals: answers refused
    std::array<int, 2> outsideDelta{};  // slope and offset codes added outside
    // The partner channel ticked too, with its own entry.
    bool bothOfPair = false;
    Entry partnerEntry;
    std::array<std::string, 4> partnerTyped;
};

std::string Describe(const Op& op, const std::vector<std::string>& faultNames);

// A journal record's as-left of one channel.
struct LeftRecord {
    int channel = 0;
    double slope = 0;
    double offset = 0;
};

// What the page said and recorded for one operation.
struct OpReport {
    bool success = false;  // a report of success was shown
    bool failure = false;  // a refusal or a failure was shown
    std::string said;      // every box, for a failure's report
    bool recorded = false;
    std::vector<LeftRecord> asLeft;
    bool busy = false;                // the page said another exchange holds the line
    pages::OperationOutcome outcome;  // the page's LastOutcome()
};

// One page and its simulated logger.
class Family {
  public:
    virtual ~Family() = default;
    virtual const std::vector<ChannelRule>& Channels() const = 0;
    virtual const std::vector<std::string>& FaultNames() const = 0;
    // The codes every channel holds now.
    virtual std::vector<Codes> Held() = 0;
    // The history factor the logger's record holds for a channel.
    virtual HistoryFactor Factor(int /*channel*/) { return {}; }
    // The direct-USB pair partner of a channel, -1 when it has none.
    virtual int PairOf(int /*channel*/) const { return -1; }
    // Whether the page lets the channel and its partner be ticked together.
    virtual bool TicksBoth(int /*channel*/) const { return false; }
    // The channels an initialise of `channel`'s group resets.
    virtual std::vector<int> InitialisedWith(int channel) const = 0;
    // Presses the operation's buttons on the page with its answers.
    virtual OpReport Run(const Op& op) = 0;
    virtual void Arm(int fault, int skip, int count) = 0;
    virtual void ClearFaults() = 0;
    // The events this family's logger and page can meet.
    virtual std::vector<Event> Events() const { return {}; }
    // What every run of this family must reach (the names in `reached`).
    virtual std::vector<std::string> MustReach() const { return {}; }
    // Brings the op's event about before the codes are read for the checks.
    virtual void Prepare(const Op& /*op*/) {}
    // What the op reached, told after it ran and before the faults are cleared.
    virtual std::vector<std::string> Reached(const Op& /*op*/, const OpReport& /*report*/) {
        return {};
    }
    virtual std::string Dump() = 0;
};

using FamilyFactory = std::function<std::unique_ptr<Family>()>;

// The families, by name: "820", "830", "835", "850-tc", "850-pt", "850-ma",
// "850-v", "850-noise", "890", "870", "875".
const std::map<std::string, FamilyFactory>& Families();

struct RunSettings {
    uint32_t seed = 1;
    int operations = 500;
    double faultShare = 0.1;  // share of operations with a fault armed
    double eventShare = 0.3;  // share of sends with one of the family's events
    double pairShare = 0.2;   // share of sends that tick both channels of a pair
};

struct RunResult {
    int operationsRun = 0;
    std::map<std::string, int> faultsMet;
    std::map<std::string, int> reached;
    std::string failure;      // empty when every check held
    std::vector<Op> failing;  // the shortest sequence found that still fails
};

// The operations of a seeded run.
std::vector<Op> MakeOperations(const Family& family, const RunSettings& settings);

// Runs the operations on a fresh family; stops at the first check that fails.
RunResult RunOperations(const FamilyFactory& factory, const std::vector<Op>& ops);

// Runs a seeded run and, on failure, shrinks the sequence to the shortest
// one found that still fails.
RunResult RunSeeded(const FamilyFactory& factory, const RunSettings& settings);

// What the run should have reached and did not; empty when it reached all.
std::vector<std::string> Unreached(const Family& family, const RunResult& result);

}  // namespace tb::sequence
