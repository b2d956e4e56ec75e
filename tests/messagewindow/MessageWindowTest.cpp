#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "platform/MessageQueue.h"
#include "platform/MessageWindow.h"

using namespace tb::platform;

namespace {

struct Received {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

// A window on its own thread that pumps until told to stop.
class WindowThread {
  public:
    explicit WindowThread(WindowProc proc) {
        std::promise<WindowHandle> created;
        auto handle = created.get_future();
        thread_ = std::thread([this, proc, &created] {
            created.set_value(CreateMessageWindow(proc));
            while (!stop_) {
                if (!DispatchOneMessage())
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        window_ = handle.get();
    }
    ~WindowThread() { Join(); }
    void Join() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    WindowHandle window() const { return window_; }

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
    WindowHandle window_ = nullptr;
};

}  // namespace

TEST(MessageWindow, PostedMessagesWaitForTheOwnersPumpAndStaleHandlesFail) {
    std::vector<Received> received;
    WindowHandle window =
        CreateMessageWindow([&](WindowHandle, uint32_t m, uintptr_t w, intptr_t l) {
            received.push_back({m, w, l});
            return intptr_t{0};
        });
    ASSERT_TRUE(IsMessageWindow(window));

    std::thread([&] { EXPECT_TRUE(PostWindowMessage(window, 0x5F5, 7, -13)); }).join();
    EXPECT_TRUE(received.empty()) << "delivered without a pump";
    EXPECT_EQ(PumpThreadMessages(), 1);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, 0x5F5u);
    EXPECT_EQ(received[0].wParam, 7u);
    EXPECT_EQ(received[0].lParam, -13);

    PostWindowMessage(window, 0x5F6);
    EXPECT_TRUE(DestroyMessageWindow(window));
    EXPECT_EQ(received.back().message, kWmDestroy);
    const size_t afterDestroy = received.size();
    EXPECT_EQ(PumpThreadMessages(), 0) << "a message to a destroyed window must be dropped";
    EXPECT_EQ(received.size(), afterDestroy);
    EXPECT_FALSE(IsMessageWindow(window));
    EXPECT_FALSE(PostWindowMessage(window, 1));
    EXPECT_FALSE(TrySendWindowMessage(window, 1).has_value());
    EXPECT_FALSE(DestroyMessageWindow(window));
}

TEST(MessageWindow, PumpLeavesMessagesPostedDuringDispatchForTheNextPump) {
    int count = 0;
    WindowHandle window =
        CreateMessageWindow([&](WindowHandle self, uint32_t, uintptr_t, intptr_t) {
            ++count;
            PostWindowMessage(self, kWmUser);  // a handler that re-posts must not starve the caller
            return intptr_t{0};
        });
    PostWindowMessage(window, kWmUser);
    EXPECT_EQ(PumpThreadMessages(), 1);
    EXPECT_EQ(PumpThreadMessages(), 1);
    EXPECT_EQ(count, 2);
    DestroyMessageWindow(window);
}

TEST(MessageWindow, SendRunsOnTheOwnerThreadAndReturnsItsResult) {
    std::thread::id handlerThread;
    WindowThread owner([&](WindowHandle, uint32_t m, uintptr_t w, intptr_t) {
        handlerThread = std::this_thread::get_id();
        return static_cast<intptr_t>(m + w);
    });
    EXPECT_EQ(TrySendWindowMessage(owner.window(), 0x400, 5), 0x405);
    owner.Join();
    EXPECT_NE(handlerThread, std::this_thread::get_id());
}

TEST(MessageWindow, SendToAWindowWhoseThreadEndsOrWhichIsDestroyedReturnsEmpty) {
    // The owner thread ends without ever pumping: the sender must be released.
    std::promise<WindowHandle> created;
    std::promise<void> release;
    std::thread silent([&] {
        created.set_value(CreateMessageWindow(DefaultWindowProc));
        release.get_future().wait();
    });
    WindowHandle orphan = created.get_future().get();
    auto pending = std::async(std::launch::async, [&] { return TrySendWindowMessage(orphan, 1); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    release.set_value();
    silent.join();
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_FALSE(pending.get().has_value());
    EXPECT_FALSE(IsMessageWindow(orphan)) << "windows of an ended thread die with it";

    // A window destroyed by its handler while a send to it waits in the queue.
    std::atomic<bool> busy{false};
    WindowThread owner([&](WindowHandle self, uint32_t m, uintptr_t w, intptr_t l) {
        if (m == kWmUser) {
            busy = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            DestroyMessageWindow(self);
        }
        return DefaultWindowProc(self, m, w, l);
    });
    PostWindowMessage(owner.window(), kWmUser);
    while (!busy) std::this_thread::yield();
    EXPECT_FALSE(TrySendWindowMessage(owner.window(), kWmUser + 1).has_value());
}

TEST(MessageWindow, ClosingAParentDestroysItsChildrenFirst) {
    std::vector<std::string> order;
    auto named = [&](std::string name) {
        return [&order, name](WindowHandle self, uint32_t m, uintptr_t w, intptr_t l) {
            if (m == kWmDestroy) order.push_back(name);
            return DefaultWindowProc(self, m, w, l);
        };
    };
    WindowHandle parent = CreateMessageWindow(named("parent"));
    WindowHandle child = CreateMessageWindow(named("child"), parent);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(CreateMessageWindow(named("x"), reinterpret_cast<WindowHandle>(1)), nullptr)
        << "an unknown parent is refused";

    std::thread([&] { EXPECT_FALSE(DestroyMessageWindow(parent)) << "not the owner"; }).join();
    PostWindowMessage(parent, kWmClose);
    PumpThreadMessages();
    EXPECT_EQ(order, (std::vector<std::string>{"child", "parent"}));
    EXPECT_FALSE(IsMessageWindow(child));
}

// An idle owner waiting for its queue wakes when a message is posted from
// another thread, not at the end of its wait; with nothing posted it waits
// the whole time.
TEST(MessageWindow, AnIdleWaitEndsWhenAMessageArrives) {
    using Clock = std::chrono::steady_clock;
    std::vector<Received> received;
    WindowHandle window = CreateMessageWindow([&](WindowHandle, uint32_t m, uintptr_t w, intptr_t l) {
        received.push_back({m, w, l});
        return 0;
    });
    ASSERT_NE(window, nullptr);

    auto start = Clock::now();
    WaitForThreadMessage(30);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(30)) << "nothing was posted";

    std::thread poster([window] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostWindowMessage(window, 0x8001, 7, 8);
    });
    start = Clock::now();
    WaitForThreadMessage(60000);
    const auto waited = Clock::now() - start;
    poster.join();
    EXPECT_LT(waited, std::chrono::seconds(30)) << "the post did not end the wait";
    ASSERT_TRUE(DispatchOneMessage());
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, 0x8001u);
    DestroyMessageWindow(window);
}
