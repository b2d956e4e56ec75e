// A reply that the library gave up on half-way leaves its remaining bytes on
// the line. Every later serial query, by this load of the library or by a
// new one, must still find the unit: the bench is the simulator program's
// own, built from its command line and driven through its console.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/LinkLibrary.h"
#include "link/usbserial/PortLayer.h"
#include "platform/DeviceIds.h"
#include "sim/core/Bench.h"
#include "sim/main/CommandLine.h"
#include "sim/main/ConsoleCommand.h"
#include "sim/main/Family.h"

namespace tb::link {
namespace {

// The simulator program's bench for `trimbench-sim ARGS...`, paced as the
// program paces it.
class ProgramBench {
  public:
    explicit ProgramBench(const std::vector<std::string>& args) {
        auto families = sim::AllFamilies();
        const sim::SimSettings settings = sim::ParseCommandLine(args, families);
        for (const auto& family : families)
            if (family.build) family.build(settings.familyOptions, bench_);
        bench_.UseTemporaryDeviceMap();
    }
    std::string Console(const std::string& line) {
        return sim::RunConsoleCommand(sim::ParseConsoleCommand(line), bench_);
    }
    // Until the bench has sent every byte it had to send (the rest of a
    // garbled reply included), however long a loaded machine takes.
    void WaitUntilSettled() const {
        while (!bench_.Settled()) usleep(1000);
    }

  private:
    sim::Bench bench_;
};

// The serial numbers that a newly loaded library finds, as the program's
// discovery asks for them (product P1, latch checked).
std::vector<uint32_t> SerialsFoundByANewLoad() {
    LinkLibrary link(SystemPortLayer(), LatchRuntimeNames{}, nullptr);
    std::vector<uint32_t> units(256, 0);
    const int found = link.GetSerial(units.data(), 256, platform::DeviceIds{}.Product(1), 0);
    units.resize(found > 0 ? static_cast<size_t>(found) : 0);
    return units;
}

TEST(LinkOnSimulator, AGarbledSerialReplyHidesTheUnitOnceAndNeverAgain) {
    ProgramBench bench({"--logger", "830", "--logger", "850-v"});
    const std::vector<uint32_t> before = SerialsFoundByANewLoad();
    ASSERT_EQ(before.size(), 2u);

    // The 850's unit answers the next query with a frame kind that no frame
    // has: the query stops after the header and leaves the rest unread.
    ASSERT_EQ(bench.Console("garble 2 1 189 1").rfind("COM2 faults: garble", 0), 0u);
    const std::vector<uint32_t> garbled = SerialsFoundByANewLoad();
    EXPECT_EQ(garbled, std::vector<uint32_t>{before[0]}) << "the garbled reply is rejected";
    bench.WaitUntilSettled();
    ASSERT_EQ(bench.Console("clear 2").rfind("COM2 faults:", 0), 0u);

    for (int load = 0; load < 3; ++load)
        EXPECT_EQ(SerialsFoundByANewLoad(), before) << "load " << load << " after the garble";

    // The same within one load: the query after the garbled one finds the unit.
    LinkLibrary link(SystemPortLayer(), LatchRuntimeNames{}, nullptr);
    const int p1 = platform::DeviceIds{}.Product(1);
    uint32_t units[4] = {};
    ASSERT_EQ(bench.Console("garble 2 1 189 1").rfind("COM2 faults: garble", 0), 0u);
    EXPECT_EQ(link.GetSerial(units, 4, p1, 0), 1);
    bench.WaitUntilSettled();
    EXPECT_EQ(link.GetSerial(units, 4, p1, 0), 2);
    EXPECT_EQ(std::vector<uint32_t>(units, units + 2), before);
}

}  // namespace
}  // namespace tb::link
