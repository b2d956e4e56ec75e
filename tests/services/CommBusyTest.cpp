#include <gtest/gtest.h>

#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "platform/Clock.h"
#include "platform/Pump.h"

namespace tb::services {
namespace {

using platform::ScopedClock;
using platform::ScopedPumpHook;
using platform::VirtualClock;

class CommBusy : public ::testing::Test {
  protected:
    void TearDown() override { ReleaseCommBusy(); }
    VirtualClock clock_{100000};
    ScopedClock useClock_{clock_};
};

TEST_F(CommBusy, FreeLockIsTakenAtOnce) {
    EXPECT_TRUE(AcquireCommBusy());
    EXPECT_EQ(clock_.TotalSleptMs(), 0u);
    ReleaseCommBusy();
    EXPECT_TRUE(AcquireCommBusy());
}

TEST_F(CommBusy, HeldLockFailsJustAfterOneSecondWhilePumping) {
    ASSERT_TRUE(AcquireCommBusy());
    int pumps = 0;
    ScopedPumpHook hook([&] { ++pumps; });
    EXPECT_FALSE(AcquireCommBusy());
    EXPECT_EQ(clock_.TotalSleptMs(), 1001u);
    EXPECT_EQ(pumps, 1001);
}

TEST_F(CommBusy, ReleaseByAPumpedHandlerIsTakenAtOnce) {
    ASSERT_TRUE(AcquireCommBusy());
    int pumps = 0;
    ScopedPumpHook hook([&] {
        if (++pumps == 3) ReleaseCommBusy();
    });
    EXPECT_TRUE(AcquireCommBusy());
    EXPECT_EQ(clock_.TotalSleptMs(), 3u);
    // It is held again by the waiter.
    ScopedPumpHook quiet([] {});
    EXPECT_FALSE(AcquireCommBusy());
}

TEST_F(CommBusy, TickWrapDoesNotChangeTheWait) {
    clock_.SetTick(0xFFFFFFFFu - 400);
    ASSERT_TRUE(AcquireCommBusy());
    EXPECT_FALSE(AcquireCommBusy());
    EXPECT_EQ(clock_.TotalSleptMs(), 1001u);
}

TEST_F(CommBusy, NestedHandlerTryingTheLockDoesNotDeadlock) {
    ASSERT_TRUE(AcquireCommBusy());
    bool nestedResult = true;
    bool nestedRan = false;
    ScopedPumpHook hook([&] {
        if (nestedRan) return;
        nestedRan = true;
        nestedResult = AcquireCommBusy();
        ReleaseCommBusy();  // the nested handler gives up, the outer one finishes
    });
    EXPECT_TRUE(AcquireCommBusy());
    EXPECT_TRUE(nestedRan);
    EXPECT_FALSE(nestedResult);
}

TEST(CommBusyMessage, IsMessage1037WithTheInformationIcon) {
    ScriptedMessageBoxes boxes;
    ShowBusyMessage();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text,
              "別の処理が通信中のため、通信できませんでした。 もう一度実行してください。");
    EXPECT_EQ(boxes.Last().icon, MsgIcon::Information);
    EXPECT_EQ(boxes.Last().buttons, MsgButtons::Ok);
}

}  // namespace
}  // namespace tb::services
