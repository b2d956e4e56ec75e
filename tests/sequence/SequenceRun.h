// Long runs of page operations on one simulated logger, as a technician's
// day has them, each checked against the oracle: sends of one and two
// points on random channels, initialises, receives, entries the page must
// refuse, answers of No, and device faults armed at random.
//
// After every operation: a channel the operation did not target keeps its
// exact codes; a targeted channel holds the composition of the entry with
// what it held, within one code; a refused, cancelled or failed operation
// leaves the logger as it was unless the page reported a failure; the
// journal record's as-left equals what the logger holds.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/sequence/SequenceOracle.h"

namespace tb::sequence {

enum class OpKind { Send, Initialise, Receive, BadEntry };

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
    // The channels an initialise of `channel`'s group resets.
    virtual std::vector<int> InitialisedWith(int channel) const = 0;
    // Presses the operation's buttons on the page with its answers.
    virtual OpReport Run(const Op& op) = 0;
    virtual void Arm(int fault, int skip, int count) = 0;
    virtual void ClearFaults() = 0;
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
};

struct RunResult {
    int operationsRun = 0;
    std::map<std::string, int> faultsMet;
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

}  // namespace tb::sequence
