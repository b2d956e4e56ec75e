// Every fault the bench can inject, against every way the program writes a
// correction. Whatever happens, the device holds either its old correction
// or exactly the new one, the caller is told of a failure, and once the
// fault is gone the same write goes through without restarting anything.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "tests/faults/FaultRigs.h"

namespace tb::faults {
namespace {

enum class Expect {
    Fails,          // the write must fail and say so
    GoesThrough,    // the reply is whole, only late or in pieces: the write must succeed
    FailsByteWise,  // must fail; the device writes byte by byte, so it may hold a mix
                    // in which each byte is the old or the new one
    NotApplicable,  // the fault cannot occur on this path (why: in the cell)
};

struct Cell {
    Expect expect;
    const char* whyNot = "";
};

constexpr Cell F{Expect::Fails};
constexpr Cell G{Expect::GoesThrough};
constexpr Cell B{Expect::FailsByteWise};
constexpr Cell NA(const char* why) { return {Expect::NotApplicable, why}; }

struct Column {
    const char* name;
    std::function<std::unique_ptr<Rig>()> make;
};

const std::array<Column, 4> kColumns{{
    {"base-unit send", MakeBaseUnitRig},
    {"890 cable write", MakeCableRig},
    {"870 calibration write", MakeLgr870Rig},
    {"LAN send", MakeLanRig},
}};

struct Row {
    const char* fault;
    std::array<Cell, 4> cells;  // in the order of kColumns
};

constexpr const char* kOnlyLan = "a LAN peer fault";
constexpr const char* kOnlyDownload = "a fault of data downloads, which no write makes";
constexpr const char* kNoTextWords = "the byte protocol has no command words or fields";

const Row kRows[] = {
    {"garbled", {F, F, F, F}},
    {"short", {F, F, F, F}},
    {"split", {G, G, G, G}},
    {"silent", {F, F, F, F}},
    {"busy port", {F, F, F, NA("a LAN unit has no port to hold")}},
    {"refused",
     {NA("the adjustment command has no refusal; its STATUS row covers it"), F, F, F}},
    {"recording",
     {NA("loggers behind a base unit have no recording state"),
      NA("the cable has no recording state"), F, NA("loggers behind a base unit have no recording state")}},
    {"read-back differs", {F, F, NA("the model library writes without a read-back"), F}},
    {"wrong word", {F, NA("start-of-header answers carry no command word"), NA(kNoTextWords), F}},
    {"no status", {F, NA("start-of-header answers carry no STATUS"), NA(kNoTextWords), F}},
    {"short data", {F, F, NA(kNoTextWords), F}},
    // The cable's read-back carries a sum that the write's confirmation does
    // not look at: the write goes through when the confirming bytes are right.
    {"bad check",
     {NA("base-unit replies: the garbled row"), G, F, NA("base-unit replies: the garbled row")}},
    {"block skip", {NA(kOnlyDownload), NA(kOnlyDownload), NA(kOnlyDownload), NA(kOnlyDownload)}},
    {"sensor CRC",
     {NA("only the 875's CO2 module"), NA("only the 875's CO2 module"),
      NA("a calibration write does not reach the CO2 module"), NA("only the 875's CO2 module")}},
    {"unplug mid-exchange", {F, B, F, NA("a LAN peer has no cable: its closing row covers it")}},
    {"slow LAN peer", {NA(kOnlyLan), NA(kOnlyLan), NA(kOnlyLan), G}},
    {"LAN peer closing mid-frame", {NA(kOnlyLan), NA(kOnlyLan), NA(kOnlyLan), F}},
};

// True when every byte (two hex digits) of `held` is that of `old` or of `now`.
bool EachByteOldOrNew(const std::string& held, const std::string& old, const std::string& now) {
    if (held.size() != old.size() || held.size() != now.size()) return false;
    for (size_t i = 0; i + 1 < held.size(); i += 2) {
        const std::string byte = held.substr(i, 2);
        if (byte != old.substr(i, 2) && byte != now.substr(i, 2)) return false;
    }
    return true;
}

// One cell: the write under the fault, what the device holds, then the same
// write with the fault cleared. Empty when all is well, else what went wrong.
std::string RunCell(const Row& row, const Column& column, Expect expect) {
    std::unique_ptr<Rig> rig = column.make();
    const std::string before = rig->Held();
    if (!rig->Arm(row.fault)) return "the rig cannot arm this fault";
    const WriteOutcome faulted = rig->Write();
    const std::string during = rig->Held();
    std::string wrong;
    const bool mustFail = expect == Expect::Fails || expect == Expect::FailsByteWise;
    if (mustFail && faulted.succeeded) wrong += "reported success (" + faulted.said + "); ";
    if (mustFail && !faulted.succeeded && !rig->FailureText().empty() &&
        faulted.said != rig->FailureText())
        wrong += "said \"" + faulted.said + "\"; ";
    if (expect == Expect::GoesThrough && !faulted.succeeded)
        wrong += "failed (" + faulted.said + "); ";

    rig->ClearFaults();
    const WriteOutcome again = rig->Write();
    const std::string after = rig->Held();
    if (!again.succeeded) wrong += "the write after clearing failed (" + again.said + "); ";
    if (after == before) wrong += "the write after clearing changed nothing; ";
    const bool mixAllowed = expect == Expect::FailsByteWise && EachByteOldOrNew(during, before, after);
    if (during != before && during != after && !mixAllowed)
        wrong += "held a mix: " + during + " (old " + before + ", new " + after + "); ";
    if (expect == Expect::GoesThrough && during != after)
        wrong += "succeeded but holds " + during + "; ";
    return wrong;
}

TEST(FaultMatrix, NoFaultLeavesAWrongCorrectionASilentFailureOrAStuckPath) {
    int ran = 0, notApplicable = 0;
    for (const Row& row : kRows) {
        for (size_t c = 0; c < kColumns.size(); ++c) {
            const Cell& cell = row.cells[c];
            const std::string where = std::string(row.fault) + " x " + kColumns[c].name;
            if (cell.expect == Expect::NotApplicable) {
                ++notApplicable;
                RecordProperty(where, std::string("not applicable: ") + cell.whyNot);
                continue;
            }
            ++ran;
            const std::string wrong = RunCell(row, kColumns[c], cell.expect);
            EXPECT_EQ(wrong, "") << where;
        }
    }
    EXPECT_EQ(ran + notApplicable, static_cast<int>(std::size(kRows) * kColumns.size()));
}

}  // namespace
}  // namespace tb::faults
