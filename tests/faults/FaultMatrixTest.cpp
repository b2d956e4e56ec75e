// Every fault the bench can inject, against every way the program writes a
// correction. Whatever happens, the device holds either its old correction
// or exactly the new one, the caller is told of a failure, and once the
// fault is gone the same write goes through without restarting anything.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <memory>
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
    std::unique_ptr<Rig> (*make)();
};

constexpr size_t kColumnCount = 5;
const std::array<Column, kColumnCount> kColumns{{
    {"base-unit send", MakeBaseUnitRig},
    {"890 cable write", MakeCableRig},
    {"870 calibration write", MakeLgr870Rig},
    {"875 calibration write", MakeLgr875Rig},
    {"LAN send", MakeLanRig},
}};

struct Row {
    const char* fault;
    std::array<Cell, kColumnCount> cells;  // in the order of kColumns
};

constexpr const char* kOnlyLan = "a LAN peer fault";
constexpr const char* kOnlyDownload = "a fault of data downloads, which no write makes";
constexpr const char* kNoTextWords = "the byte protocol has no command words or fields";
constexpr const char* kNoRecording = "loggers behind a base unit have no recording state";
constexpr const char* kOnlyCo2 = "only the 875's CO2 module";
constexpr const char* kGarbledRow = "base-unit replies: the garbled row";

const Row kRows[] = {
    {"garbled", {F, F, F, F, F}},
    {"short", {F, F, F, F, F}},
    {"split", {G, G, G, G, G}},
    {"silent", {F, F, F, F, F}},
    {"busy port", {F, F, F, F, NA("a LAN unit has no port to hold")}},
    {"refused",
     {NA("the adjustment command has no refusal; its STATUS row covers it"), F, F, F, F}},
    {"recording",
     {NA(kNoRecording), NA("the cable has no recording state"), F, F, NA(kNoRecording)}},
    {"read-back differs",
     {F, F, NA("the model library writes without a read-back"),
      NA("the model library writes without a read-back"), F}},
    {"wrong word",
     {F, NA("start-of-header answers carry no command word"), NA(kNoTextWords), NA(kNoTextWords),
      F}},
    {"no status",
     {F, NA("start-of-header answers carry no STATUS"), NA(kNoTextWords), NA(kNoTextWords), F}},
    {"short data", {F, F, NA(kNoTextWords), NA(kNoTextWords), F}},
    {"bad check", {NA(kGarbledRow), F, F, F, NA(kGarbledRow)}},
    {"block skip",
     {NA(kOnlyDownload), NA(kOnlyDownload), NA(kOnlyDownload), NA(kOnlyDownload),
      NA(kOnlyDownload)}},
    {"sensor CRC",
     {NA(kOnlyCo2), NA(kOnlyCo2), NA(kOnlyCo2),
      NA("the calibration is kept by the logger; only the auto-calibration and air-pressure "
         "settings reach the CO2 module"),
      NA(kOnlyCo2)}},
    {"unplug mid-exchange", {F, B, F, F, NA("a LAN peer has no cable: its closing row covers it")}},
    {"slow LAN peer", {NA(kOnlyLan), NA(kOnlyLan), NA(kOnlyLan), NA(kOnlyLan), G}},
    {"LAN peer closing mid-frame", {NA(kOnlyLan), NA(kOnlyLan), NA(kOnlyLan), NA(kOnlyLan), F}},
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
    // The bench's own account (faults left armed, bytes in and out) helps tell
    // a fault of the program from one of the rig.
    if (!wrong.empty()) wrong += "\nthe bench afterwards:\n" + rig->Dump();
    return wrong;
}

// One test per column, so that the columns run side by side.
class FaultMatrix : public ::testing::TestWithParam<size_t> {};

TEST_P(FaultMatrix, NoFaultLeavesAWrongCorrectionASilentFailureOrAStuckPath) {
    const Column& column = kColumns[GetParam()];
    int ran = 0;
    for (const Row& row : kRows) {
        const Cell& cell = row.cells[GetParam()];
        const std::string where = std::string(row.fault) + " x " + column.name;
        if (cell.expect == Expect::NotApplicable) {
            RecordProperty(where, std::string("not applicable: ") + cell.whyNot);
            continue;
        }
        ++ran;
        EXPECT_EQ(RunCell(row, column, cell.expect), "") << where;
    }
    EXPECT_GT(ran, 0) << column.name;
}

INSTANTIATE_TEST_SUITE_P(Columns, FaultMatrix, ::testing::Range<size_t>(0, kColumnCount),
                         [](const auto& info) {
                             std::string name;
                             for (const char* c = kColumns[info.param].name; *c != 0; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

}  // namespace
}  // namespace tb::faults
