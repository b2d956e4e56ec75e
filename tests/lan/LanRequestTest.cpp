// Sends, receives and closes over the LAN while things go wrong.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <chrono>

#include "link/diag/Diagnostics.h"
#include "link/lan/LanMessages.h"
#include "link/lan/LanWorker.h"
#include "platform/MessageWindow.h"
#include "platform/Pump.h"
#include "tests/lan/LanTestSupport.h"

namespace tb::link::lan::testing {
namespace {

LanWorker* WorkerOf(MngEntry& entry) { return static_cast<LanWorker*>(entry.thread); }

TEST_F(LanLinkTest, CloseWhileASendOrReceiveIsOutstandingGivesMinus24) {
    uint32_t key = 0;
    ASSERT_EQ(Open(key), 0);
    unit_.ReplyFaults().Arm(sim::Fault::Delay(200));

    // A handler that runs while the caller waits (as a window's would) tries to close.
    std::vector<int> closeResults;
    platform::ScopedPumpHook reentrant([&] { closeResults.push_back(link_->CloseComm(key)); });
    const auto frame = KindTwoFrame(kAdjustReadBody);
    std::vector<uint8_t> reply;
    ASSERT_EQ(RoundTrip(key, frame, reply), static_cast<int>(frame.size()));
    ASSERT_FALSE(closeResults.empty());
    for (int result : closeResults) EXPECT_EQ(result, kLanBusy);
    EXPECT_EQ(Entry(key).TrFlg, kTransportLan);
    EXPECT_EQ(link_->CloseComm(key), 0);
}

// The worker has answered the receive but the caller's call has not yet
// returned: a close from a handler in that gap is still refused.
TEST_F(LanLinkTest, CloseAfterTheWorkerAnsweredButBeforeTheCallReturnedGivesMinus24) {
    uint32_t key = 0;
    ASSERT_EQ(Open(key), 0);
    unit_.ReplyFaults().Arm(sim::Fault::Delay(200));
    MngEntry& entry = Entry(key);
    std::vector<int> closeResults;
    platform::ScopedPumpHook reentrant([&] {
        if (LoadShared(entry.recvState) != kRequestPending) return;
        for (int i = 0; i < 500 && LoadShared(entry.recvState) == kRequestPending; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        closeResults.push_back(link_->CloseComm(key));
    });
    const auto frame = KindTwoFrame(kAdjustReadBody);
    std::vector<uint8_t> reply;
    ASSERT_EQ(RoundTrip(key, frame, reply), static_cast<int>(frame.size()));
    ASSERT_FALSE(closeResults.empty());
    for (int result : closeResults) EXPECT_EQ(result, kLanBusy);
    EXPECT_EQ(link_->CloseComm(key), 0);
}

TEST_F(LanLinkTest, PeerThatHangsUpMidFrameEndsTheReceiveWithATimeOut) {
    uint32_t key = 0;
    ASSERT_EQ(Open(key), 0);
    unit_.SetFaults({.closeMidFrame = true});
    const auto frame = KindTwoFrame(std::string(100, 'x'));
    ASSERT_EQ(link_->SendComm(key, frame.data(), static_cast<int>(frame.size())), 0);
    std::vector<uint8_t> reply(1024);
    EXPECT_EQ(link_->RecvComm(key, reply.data(), 1024, 1), kTimeout);
    EXPECT_EQ(Entry(key).rcvData, nullptr);
    EXPECT_EQ(link_->CloseComm(key), 0);

    ASSERT_EQ(Open(key), 0) << "the same key connects again";
    std::vector<uint8_t> echoed;
    EXPECT_EQ(RoundTrip(key, frame, echoed), static_cast<int>(frame.size()));
}

TEST_F(LanLinkTest, ReplyLongerThanTheBufferOrNotAFrameIsRefused) {
    uint32_t key = 0;
    ASSERT_EQ(Open(key), 0);
    const auto frame = KindTwoFrame(std::string(100, 'y'));
    ASSERT_EQ(link_->SendComm(key, frame.data(), static_cast<int>(frame.size())), 0);
    std::vector<uint8_t> reply(frame.size());
    EXPECT_EQ(link_->RecvComm(key, reply.data(), static_cast<int>(frame.size()) - 1, 2),
              kFrameTooLong);
    EXPECT_EQ(link_->CloseComm(key), 0);

    ASSERT_EQ(Open(key), 0);
    const uint8_t notAFrame[] = {'X', '2', 0, 0, 0, 0};
    ASSERT_EQ(link_->SendComm(key, notAFrame, sizeof notAFrame), 0);
    EXPECT_EQ(link_->RecvComm(key, reply.data(), static_cast<int>(reply.size()), 2),
              kBadFrameStart);
    EXPECT_EQ(link_->CloseComm(key), 0);
}

TEST_F(LanLinkTest, CallerNeverWaitsOnAWorkerThatHasEnded) {
    uint32_t key = 0;
    ASSERT_EQ(Open(key), 0);
    LanWorker* worker = WorkerOf(Entry(key));
    ASSERT_NE(worker, nullptr);

    // The worker's dialog is closed in the middle of a receive that gets no reply.
    bool dismissed = false;
    platform::ScopedPumpHook closer([&] {
        if (!std::exchange(dismissed, true)) worker->Dismiss();
    });
    std::vector<uint8_t> reply(64);
    EXPECT_EQ(link_->RecvComm(key, reply.data(), 64, 1), kTimeout);
    worker->Join();
    EXPECT_FALSE(worker->Running());

    const auto frame = KindTwoFrame(kAdjustReadBody);
    EXPECT_EQ(link_->SendComm(key, frame.data(), static_cast<int>(frame.size())), kUnknownKey);
    EXPECT_EQ(link_->RecvComm(key, reply.data(), 64, 1), kUnknownKey);
    EXPECT_EQ(link_->CloseComm(key), 0);
    uint32_t again = 0;
    ASSERT_EQ(Open(again), 0) << "a new worker takes over the key";
    EXPECT_EQ(again, key);
    EXPECT_TRUE(worker->Running());
}

TEST_F(LanLinkTest, SendLargerThanOneSocketSendStillGoesWhole) {
    uint32_t key = 0;
    ASSERT_EQ(Open(key), 0);
    const auto frame = KindTwoFrame(std::string(65535, 'z'));  // 65541 bytes in all
    std::vector<uint8_t> reply;
    ASSERT_EQ(link_->SendComm(key, frame.data(), static_cast<int>(frame.size())), 0);
    reply.assign(frame.size(), 0);
    EXPECT_EQ(link_->RecvComm(key, reply.data(), static_cast<int>(reply.size()), 5),
              static_cast<int>(frame.size()));
    EXPECT_EQ(reply, frame);
}

// With diagnostics on, every step of a session leaves its line in the ring file.
TEST(LanLinkLog, EveryStepIsLogged) {
    char folderTemplate[] = "/tmp/tb_lan_log_XXXXXX";
    const std::string folder = mkdtemp(folderTemplate);
    std::ofstream(folder + "/" + diag::kMarkerFileName).put('\n');
    NoPorts ports;
    sim::lan::LanBaseUnit unit(std::make_unique<sim::EchoDevice>(), kLogin);
    std::string log;
    {
        const std::string channel = "tb_lan_log_" + std::to_string(getpid());
        LinkLibrary link(ports, LatchRuntimeNames{},
                         std::make_unique<diag::Diagnostics>(folder, channel));
        uint32_t key = 0;
        ASSERT_EQ(link.OpenLANComm("127.0.0.1", unit.Port(), kLogin, kOption, &key), 0);
        const auto frame = KindTwoFrame(kAdjustReadBody);
        ASSERT_EQ(link.SendComm(key, frame.data(), static_cast<int>(frame.size())), 0);
        uint8_t reply[64];
        ASSERT_EQ(link.RecvComm(key, reply, sizeof reply, 2), static_cast<int>(frame.size()));
        ASSERT_EQ(link.CloseComm(key), 0);
        EXPECT_EQ(link.OpenLANComm("127.0.0.1", unit.Port(), kLogin, 0, &key), kArgumentError);
        link.Diag().PumpFlight();
        std::ifstream ring(folder + "/" + diag::kRingFileName);
        std::ostringstream text;
        text << ring.rdbuf();
        log = text.str();
    }
    const std::string port = std::to_string(unit.Port());
    const char* expected[] = {
        "Connect Start(00000001 127.0.0.1[",
        "Connect Success(00000001)",
        "LAN Send Start(00000001) 54 32 0d 00",  // long lines are cut in the ring file
        "LAN Send Result(00000001)=1",
        "Recv Start(00000001)",
        "LAN Recv Success(00000001) 54 32 0d 00",
        "Close Start(00000001)",
        "LAN Close Complete(00000001)",
        "<!>Argument Err(00000001)",
    };
    size_t from = 0;
    for (const char* line : expected) {
        const size_t at = log.find(line, from);
        EXPECT_NE(at, std::string::npos) << "missing or out of order: " << line << "\n" << log;
        if (at != std::string::npos) from = at;
    }
    EXPECT_NE(log.find("127.0.0.1[" + port + "]"), std::string::npos);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tb::link::lan::testing
