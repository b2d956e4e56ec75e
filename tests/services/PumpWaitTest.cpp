#include <gtest/gtest.h>

#include "services/PageServices.h"
#include "platform/Clock.h"
#include "platform/Pump.h"

namespace tb::services {
namespace {

using platform::ScopedClock;
using platform::ScopedPumpHook;
using platform::VirtualClock;

TEST(PumpWait, ZeroPumpsOnceAndSleepsOneMillisecond) {
    VirtualClock clock(5000);
    ScopedClock useClock(clock);
    int pumps = 0;
    ScopedPumpHook hook([&] { ++pumps; });
    PumpWait(0);
    EXPECT_EQ(pumps, 1);
    EXPECT_EQ(clock.TotalSleptMs(), 1u);
}

TEST(PumpWait, PumpsBetweenOneMillisecondSleepsForTheWholeWait) {
    VirtualClock clock(5000);
    ScopedClock useClock(clock);
    int pumps = 0;
    ScopedPumpHook hook([&] { ++pumps; });
    PumpWait(300);
    EXPECT_EQ(clock.TotalSleptMs(), 300u);
    EXPECT_EQ(pumps, 300);
}

TEST(PumpWait, TickWrapNeitherLengthensNorShortensTheWait) {
    for (uint32_t start : {0xFFFFFFFFu - 50, 0xFFFFFFFFu - 299, 0xFFFFFFFFu, 0u}) {
        VirtualClock clock(start);
        ScopedClock useClock(clock);
        PumpWait(300);
        EXPECT_EQ(clock.TotalSleptMs(), 300u) << "start tick " << start;
    }
}

TEST(PumpWait, EventsHandledInsideTheWaitCanRunTheClock) {
    // A handler that takes long (here: 120 ms of virtual time) counts
    // against the wait; the wait does not restart.
    VirtualClock clock(0);
    ScopedClock useClock(clock);
    bool first = true;
    ScopedPumpHook hook([&] {
        if (first) clock.Advance(120);
        first = false;
    });
    PumpWait(200);
    EXPECT_EQ(clock.TotalSleptMs(), 200u);
}

}  // namespace
}  // namespace tb::services
