#include <gtest/gtest.h>

#include "platform/Clock.h"

namespace pf = tb::platform;

TEST(Clock, ElapsedIsWrapSafe) {
    EXPECT_EQ(pf::ElapsedMs(0xFFFFFFF0u, 0x00000010u), 0x20u);
    EXPECT_EQ(pf::ElapsedMs(100, 100), 0u);
}

TEST(Clock, VirtualClockMovesOnlyBySleepAndIsInstalledForTheProcess) {
    pf::VirtualClock clock(0xFFFFFFFEu);
    pf::ScopedClock installed(clock);
    uint32_t start = pf::TickMs();
    uint32_t seen = 0;
    clock.OnSleep([&](uint32_t tick) { seen = tick; });
    pf::SleepMs(5);
    EXPECT_EQ(pf::ElapsedSince(start), 5u);
    EXPECT_EQ(seen, 3u);  // wrapped past zero
    EXPECT_EQ(clock.TotalSleptMs(), 5u);
}

TEST(Clock, SystemClockIsRestored) {
    {
        pf::VirtualClock clock(42);
        pf::ScopedClock installed(clock);
        EXPECT_EQ(pf::TickMs(), 42u);
    }
    uint32_t a = pf::TickMs();
    pf::SleepMs(3);
    EXPECT_GE(pf::ElapsedSince(a), 3u);
}
