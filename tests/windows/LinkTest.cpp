// The link library on Windows against the simulated base units: finding
// them by product and latch, one exchange, refused serials and keys, and
// the example program's own path through the DLLs.
#include <gtest/gtest.h>

#include "link/ResultCodes.h"
#include "tests/windows/DeviceCalls.h"
#include "tests/windows/SimOnWine.h"

namespace tb::wine {
namespace {

class LinkOnWine : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!BenchServed()) GTEST_SKIP() << "needs the bench of scripts/wine-test.sh";
    }
};

TEST_F(LinkOnWine, FindsBothBaseUnitsInPortOrder) {
    EXPECT_EQ(Serials(), (std::vector<uint32_t>{kFirstUnit, kFaultUnit}));
    uint8_t status[256] = {};
    EXPECT_EQ(VkLGR800_GetConnectNum(status, 256, BaseProduct(), 0), 2);
    for (int com : ComsOf(0x2F5C, static_cast<uint16_t>(BaseProduct())))
        EXPECT_EQ(status[com - 1], 1) << "COM" << com;
    uint32_t none[4] = {};
    EXPECT_EQ(VkLGR800_GetSerial(none, 4, platform::DeviceIds{}.Product(2), 0), 0)
        << "no unit of product P2";
}

TEST_F(LinkOnWine, CarriesACommandAndItsReply) {
    ASSERT_FALSE(Serials().empty());
    std::vector<uint8_t> reply;
    const int length = Exchange(kFirstUnit, testsupport::KindTwoFrame("EISET:ACT=1"), reply);
    ASSERT_GT(length, 6);
    EXPECT_EQ(reply[0], 'T');
    EXPECT_EQ(reply[1], '2');
    EXPECT_EQ(reply[2] + (reply[3] << 8) + 6, length);
    EXPECT_EQ(std::string(reply.begin() + 4, reply.begin() + 10), "EISET:");
}

TEST_F(LinkOnWine, UnknownSerialsAndKeysAreRefused) {
    ASSERT_FALSE(Serials().empty());
    EXPECT_EQ(VkLGR800_OpenUSBComm(0x00000778), link::kUsbOpenFailed);
    uint8_t byte = 0;
    EXPECT_EQ(VkLGR800_SendComm(0x12345678, &byte, 1), link::kUnknownKey);
    EXPECT_EQ(VkLGR800_RecvComm(0x12345678, &byte, 1, 1), link::kUnknownKey);
    EXPECT_EQ(VkLGR800_CloseComm(0x12345678), link::kUnknownKey);
}

}  // namespace
}  // namespace tb::wine
