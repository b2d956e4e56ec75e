#include <gtest/gtest.h>

#include <thread>

#include "platform/Pump.h"

using tb::platform::InstallPumpHook;
using tb::platform::PumpPendingMessages;
using tb::platform::ScopedPumpHook;

TEST(Pump, NoHookPumpsNothingAndInstalledHookRunsOncePerCall) {
    PumpPendingMessages();  // nothing installed: must simply return
    int runs = 0;
    ScopedPumpHook hook([&] { ++runs; });
    PumpPendingMessages();
    PumpPendingMessages();
    EXPECT_EQ(runs, 2);
}

TEST(Pump, HookIsPerThreadAndNotReentered) {
    int mainRuns = 0;
    int nested = 0;
    ScopedPumpHook hook([&] {
        ++mainRuns;
        PumpPendingMessages();  // a wait inside a handler must not recurse
        ++nested;
    });
    std::thread other([] { PumpPendingMessages(); });
    other.join();
    EXPECT_EQ(mainRuns, 0);
    PumpPendingMessages();
    EXPECT_EQ(mainRuns, 1);
    EXPECT_EQ(nested, 1);
}

TEST(Pump, ScopedHookRestoresPrevious) {
    int outer = 0, inner = 0;
    ScopedPumpHook a([&] { ++outer; });
    {
        ScopedPumpHook b([&] { ++inner; });
        PumpPendingMessages();
    }
    PumpPendingMessages();
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(outer, 1);
    InstallPumpHook({});
    PumpPendingMessages();
    EXPECT_EQ(outer, 1);
}
