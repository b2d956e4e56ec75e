// The LAN path on Windows: the link library's worker thread, the LAN socket
// library over Winsock and the message windows, against the simulated LAN
// base unit on loopback.
#include <gtest/gtest.h>

#include <string>

#include "link/ResultCodes.h"
#include "tests/windows/DeviceCalls.h"
#include "tests/windows/SimOnWine.h"

namespace tb::wine {
namespace {

constexpr uint32_t kOption = 1;

class LanOnWine : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!BenchServed() || LanPort() <= 0) GTEST_SKIP() << "needs the LAN unit of the bench";
    }
};

TEST_F(LanOnWine, OpensSendsReceivesAndCloses) {
    uint32_t key = 0;
    ASSERT_EQ(VkLGR800_OpenLANComm("127.0.0.1", LanPort(), kLanLogin, kOption, &key), 0);
    const auto frame = AdjustReadFrame();
    ASSERT_EQ(VkLGR800_SendComm(key, frame.data(), static_cast<int>(frame.size())), 0);
    std::vector<uint8_t> reply(1024);
    const int length = VkLGR800_RecvComm(key, reply.data(), 1024, 5);
    ASSERT_GT(length, 6);
    EXPECT_EQ(reply[0], 'T');
    EXPECT_EQ(std::string(reply.begin() + 4, reply.begin() + 10), "EIADJ:");
    EXPECT_EQ(VkLGR800_CloseComm(key), 0);
    EXPECT_EQ(VkLGR800_SendComm(key, frame.data(), static_cast<int>(frame.size())),
              link::kUnknownKey)
        << "a closed key is no connection";
}

TEST_F(LanOnWine, AWrongLoginAndAPortWithoutAUnitAreRefused) {
    uint32_t key = 0;
    EXPECT_EQ(VkLGR800_OpenLANComm("127.0.0.1", LanPort(), "intruder", kOption, &key),
              link::kLanLoginRefused);
    // A port on which nothing listens: the connection fails, nothing hangs.
    EXPECT_EQ(VkLGR800_OpenLANComm("127.0.0.1", 1, kLanLogin, kOption, &key),
              link::kLanConnectFailed);
    EXPECT_EQ(VkLGR800_OpenLANComm(nullptr, LanPort(), kLanLogin, kOption, &key),
              link::kArgumentError);
}

}  // namespace
}  // namespace tb::wine
