#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "TcpTestSupport.h"
#include "platform/MessageWindow.h"

using namespace tb::tcp;
using namespace tb::tcp::testing;

namespace {

class TcpTransferTest : public TcpTest {
  protected:
    void SetUp() override {
        TcpTest::SetUp();
        ASSERT_EQ(VkTcpCom_Connect("127.0.0.1", listener_.port()), 0);
        peer_ = listener_.Accept();
        ASSERT_GE(peer_, 0);
        ASSERT_TRUE(PumpUntil([&] { return !results_.empty(); }));
        ASSERT_EQ(results_.front(), 0);
    }
    void TearDown() override {
        if (peer_ >= 0) ::close(peer_);
        TcpTest::TearDown();
    }

    LoopbackListener listener_;
    int peer_ = -1;
};

}  // namespace

TEST_F(TcpTransferTest, BytesTravelBothWaysAndReadsAreLogged) {
    const uint8_t frame[] = {'T', '2', 6, 0, 'R', 'U', 'I', 'N', 'F', ':', 0xBE, 0x01};
    ASSERT_EQ(VkTcpCom_Send(frame, sizeof frame), static_cast<int>(sizeof frame));
    uint8_t got[32] = {};
    ASSERT_EQ(::recv(peer_, got, sizeof got, 0), static_cast<ssize_t>(sizeof frame));
    EXPECT_EQ(std::memcmp(got, frame, sizeof frame), 0);

    uint8_t buffer[16] = {};
    EXPECT_EQ(VkTcpCom_Recv(buffer, sizeof buffer), 0) << "nothing there yet";
    ASSERT_EQ(::send(peer_, "login", 5, 0), 5);
    ASSERT_TRUE(PumpUntil([] { return Logged("データ受信可能"); }));
    EXPECT_EQ(VkTcpCom_Recv(buffer, 3), 3);
    EXPECT_EQ(VkTcpCom_Recv(buffer + 3, sizeof buffer - 3), 2);
    EXPECT_EQ(std::memcmp(buffer, "login", 5), 0);
    EXPECT_EQ(VkTcpCom_Recv(nullptr, 4), 0);
    EXPECT_EQ(VkTcpCom_Send(nullptr, 4), -1);
}

TEST_F(TcpTransferTest, SendThatWouldBlockReportsZeroAndWriteIsReportedAgainWhenDrained) {
    std::vector<uint8_t> chunk(65535, 0x55);
    int result = 1;
    size_t total = 0;
    for (int i = 0; i < 10000 && result > 0; ++i) {
        result = VkTcpCom_Send(chunk.data(), static_cast<int>(chunk.size()));
        if (result > 0) total += static_cast<size_t>(result);
    }
    ASSERT_EQ(result, 0) << "a full socket must report 0, not an error";
    PumpUntil([] { return false; }, 20);
    const size_t writableBefore = CountLogged("データ送信可能");

    std::vector<uint8_t> sink(1 << 20);
    while (total > 0) {
        ssize_t n = ::recv(peer_, sink.data(), sink.size(), 0);
        ASSERT_GT(n, 0);
        total -= static_cast<size_t>(n);
    }
    EXPECT_TRUE(PumpUntil([&] { return CountLogged("データ送信可能") > writableBefore; }));
}

TEST_F(TcpTransferTest, PeerCloseIsLoggedAndEndsTheConnection) {
    ::close(peer_);
    peer_ = -1;
    ConnectionState& state = ThisThreadConnection();
    ASSERT_TRUE(PumpUntil([&] { return state.dialog == nullptr; }));
    EXPECT_FALSE(state.connected);
    EXPECT_EQ(state.socket, -1);
    ASSERT_FALSE(state.statusLines.empty());
    EXPECT_NE(state.statusLines.back().find("ネットワーク切断"), std::string::npos);
    uint8_t byte;
    EXPECT_EQ(VkTcpCom_Recv(&byte, 1), 0);
    EXPECT_EQ(VkTcpCom_Send(&byte, 1), -1);
}

TEST_F(TcpTransferTest, AbortClosesTheConnectionAndForgetsTheNotifyWindow) {
    ConnectionState& state = ThisThreadConnection();
    tb::platform::SendWindowMessage(state.dialog, tb::platform::kWmCommand,
                                    tb::platform::kIdCancel);
    EXPECT_EQ(state.dialog, nullptr);
    EXPECT_EQ(state.notifyWindow, nullptr);
    char byte;
    EXPECT_EQ(::recv(peer_, &byte, 1, 0), 0) << "the peer sees the connection end";

    // Without a notify window a new connection still works, it just tells nobody.
    results_.clear();
    ASSERT_EQ(VkTcpCom_Connect("127.0.0.1", listener_.port()), 0);
    PumpUntil([] { return false; }, 30);
    EXPECT_TRUE(results_.empty());
    EXPECT_TRUE(state.connected);
}
