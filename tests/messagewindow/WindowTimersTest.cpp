#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/MessageQueue.h"
#include "platform/MessageWindow.h"

using namespace tb::platform;

TEST(WindowTimers, FireOnThePlatformClockCoalesceAndStopWhenKilled) {
    VirtualClock clock(1000);
    ScopedClock useClock(clock);
    int fired = 0;
    uintptr_t lastId = 0;
    WindowHandle window = CreateMessageWindow([&](WindowHandle, uint32_t m, uintptr_t w, intptr_t) {
        if (m == kWmTimer) {
            ++fired;
            lastId = w;
        }
        return intptr_t{0};
    });
    ASSERT_TRUE(SetWindowTimer(window, 42, 1000));
    clock.Advance(999);
    PumpThreadMessages();
    EXPECT_EQ(fired, 0);
    clock.Advance(1);
    PumpThreadMessages();
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(lastId, 42u);

    // Missed periods while nobody pumped come as one message.
    clock.Advance(3500);
    EXPECT_EQ(PumpThreadMessages(), 1);
    EXPECT_EQ(PumpThreadMessages(), 0);
    EXPECT_EQ(fired, 2);
    clock.Advance(1000);
    EXPECT_TRUE(DispatchOneMessage());
    EXPECT_EQ(fired, 3);

    EXPECT_TRUE(KillWindowTimer(window, 42));
    EXPECT_FALSE(KillWindowTimer(window, 42));
    clock.Advance(5000);
    PumpThreadMessages();
    EXPECT_EQ(fired, 3);

    SetWindowTimer(window, 1, 10);
    DestroyMessageWindow(window);
    clock.Advance(100);
    EXPECT_EQ(PumpThreadMessages(), 0) << "a destroyed window's timers die with it";
    EXPECT_FALSE(SetWindowTimer(window, 1, 10));
}
