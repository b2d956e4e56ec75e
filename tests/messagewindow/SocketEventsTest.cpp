#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "platform/MessageQueue.h"
#include "platform/MessageWindow.h"
#include "platform/SocketEvents.h"

using namespace tb::platform;

namespace {

constexpr uint32_t kEventMessage = 0x482;
constexpr uint32_t kAllEvents = kSocketRead | kSocketWrite | kSocketConnect | kSocketClose;

struct Event {
    uint32_t kind;
    int error;
};

int ListenOnLoopback(uint16_t& port) {
    int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener, 1);
    socklen_t size = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    return listener;
}

int StartConnect(uint16_t port) {
    int client = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    int result = connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address);
    EXPECT_TRUE(result == 0 || errno == EINPROGRESS);
    return client;
}

class SocketEventsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = CreateMessageWindow([this](WindowHandle, uint32_t m, uintptr_t w, intptr_t l) {
            if (m == kEventMessage) {
                EXPECT_EQ(static_cast<int>(w), watched_);
                events_.push_back({SocketEventOf(l), SocketErrorOf(l)});
            }
            return intptr_t{0};
        });
    }
    void TearDown() override { DestroyMessageWindow(window_); }

    // Pumps until the predicate holds (at most two seconds of real time).
    bool PumpUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 2000 && !done(); ++i) {
            PumpThreadMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
    int Count(uint32_t kind) const {
        int n = 0;
        for (const Event& e : events_) n += e.kind == kind;
        return n;
    }
    void PumpAWhile() {
        for (int i = 0; i < 20; ++i) {
            PumpThreadMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    WindowHandle window_ = nullptr;
    int watched_ = -1;
    std::vector<Event> events_;
};

}  // namespace

TEST_F(SocketEventsTest, ConnectWriteReadAndCloseArriveOnceEachUntilReenabled) {
    uint16_t port = 0;
    int listener = ListenOnLoopback(port);
    watched_ = StartConnect(port);
    ASSERT_TRUE(SelectSocketEvents(watched_, window_, kEventMessage, kAllEvents));
    int peer = accept(listener, nullptr, nullptr);

    ASSERT_TRUE(PumpUntil([&] { return Count(kSocketWrite) == 1; }));
    ASSERT_GE(events_.size(), 2u);
    EXPECT_EQ(events_[0].kind, kSocketConnect);
    EXPECT_EQ(events_[0].error, 0);

    ASSERT_EQ(write(peer, "abc", 3), 3);
    ASSERT_TRUE(PumpUntil([&] { return Count(kSocketRead) == 1; }));
    PumpAWhile();
    EXPECT_EQ(Count(kSocketRead), 1) << "read is one-shot until re-enabled";

    char byte = 0;
    ASSERT_EQ(recv(watched_, &byte, 1, 0), 1);
    ReenableSocketEvent(watched_, kSocketRead);
    ASSERT_TRUE(PumpUntil([&] { return Count(kSocketRead) == 2; })) << "two bytes still wait";

    close(peer);
    PumpAWhile();
    EXPECT_EQ(Count(kSocketClose), 0) << "close must wait until every byte has been read";
    char rest[8];
    ASSERT_EQ(recv(watched_, rest, sizeof rest, 0), 2);
    ReenableSocketEvent(watched_, kSocketRead);
    ASSERT_TRUE(PumpUntil([&] { return Count(kSocketClose) == 1; }));
    PumpAWhile();
    EXPECT_EQ(Count(kSocketClose), 1);
    EXPECT_EQ(Count(kSocketRead), 2);

    SelectSocketEvents(watched_, nullptr, 0, 0);
    close(watched_);
    close(listener);
}

TEST_F(SocketEventsTest, RefusedConnectReportsItsErrorAndNothingElse) {
    uint16_t port = 0;
    close(ListenOnLoopback(port));  // nobody listens there any more
    watched_ = StartConnect(port);
    ASSERT_TRUE(SelectSocketEvents(watched_, window_, kEventMessage, kAllEvents));
    ASSERT_TRUE(PumpUntil([&] { return !events_.empty(); }));
    PumpAWhile();
    ASSERT_EQ(events_.size(), 1u);
    EXPECT_EQ(events_[0].kind, kSocketConnect);
    EXPECT_EQ(events_[0].error, ECONNREFUSED);
    close(watched_);
}

TEST_F(SocketEventsTest, UnregisteredOrUnconnectedSocketsReportNothing) {
    int fresh = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    watched_ = fresh;
    ASSERT_TRUE(SelectSocketEvents(fresh, window_, kEventMessage, kAllEvents));
    PumpAWhile();
    EXPECT_TRUE(events_.empty()) << "a socket that never connected has no connect event";

    uint16_t port = 0;
    int listener = ListenOnLoopback(port);
    watched_ = StartConnect(port);
    SelectSocketEvents(watched_, window_, kEventMessage, kAllEvents);
    SelectSocketEvents(watched_, nullptr, 0, 0);
    PumpAWhile();
    EXPECT_TRUE(events_.empty());

    std::thread([&] {
        EXPECT_FALSE(SelectSocketEvents(watched_, window_, kEventMessage, kAllEvents))
            << "only the window's own thread can watch for it";
    }).join();
    close(watched_);
    close(fresh);
    close(listener);
}
