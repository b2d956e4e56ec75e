// The port library and the bridge run-time library on Windows: COM ports
// found by USB id through the device map, opened with CreateFile, read and
// written against the simulated base unit, the latch read from the handle.
#include <gtest/gtest.h>

#include <string>

#include "platform/cp210x/CP210xRuntime.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"
#include "tests/windows/DeviceCalls.h"
#include "tests/windows/SimOnWine.h"

namespace tb::wine {
namespace {

constexpr int kBaseUnitBaud = 38400;

class PortLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!BenchServed()) GTEST_SKIP() << "needs the bench of scripts/wine-test.sh";
        coms_ = ComsOf(0x2F5C, static_cast<uint16_t>(BaseProduct()));
        ASSERT_EQ(coms_.size(), 2u);
    }
    std::vector<int> coms_;
};

TEST_F(PortLibrary, ListsTheBaseUnitsPortsByTheirUsbId) {
    uint8_t ports[256] = {};
    ASSERT_EQ(Vk800UsbSerialEx_CheckPort("2f5c-8001", ports), 0);
    for (int com : coms_) EXPECT_EQ(ports[com - 1], 1) << "COM" << com;
    EXPECT_EQ(std::count(ports, ports + 256, 1), 2);
    uint8_t none[256] = {};
    EXPECT_NE(Vk800UsbSerialEx_CheckPort("2f5c-7777", none), 0);
    EXPECT_NE(Vk800UsbSerialEx_CheckPort("not an id", none), 0);
}

TEST_F(PortLibrary, PortsThatCannotBeOpenedAreRefusedWithTheirCode) {
    uint32_t handle = 0;
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(200, 0, 0, kBaseUnitBaud, &handle), -4) << "no COM200";
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(0, 0, 0, kBaseUnitBaud, &handle), -4);
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(coms_[0], 0, 0, 12345, &handle), -4) << "no such rate";
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(coms_[0], 0, 0, kBaseUnitBaud, nullptr), -4);
}

TEST_F(PortLibrary, WritesAFrameReadsTheReplyAndReadsTheLatch) {
    uint32_t handle = 0;
    ASSERT_EQ(Vk800UsbSerialEx_OpenComm(coms_[0], 4096, 4096, kBaseUnitBaud, &handle), 0);
    uint8_t latch = 0;
    EXPECT_EQ(CP210xRT_ReadLatch(handle, &latch), 0);
    EXPECT_EQ(latch, 0x08);
    EXPECT_EQ(Vk800UsbSerialEx_FlushComm(handle, 0), 1);
    EXPECT_EQ(Vk800UsbSerialEx_FlushComm(handle, 9), 0) << "no such buffer";

    const auto frame = testsupport::KindTwoFrame("EISET:ACT=1");
    ASSERT_EQ(Vk800UsbSerialEx_WriteComm(handle, frame.data(), static_cast<int>(frame.size())),
              static_cast<int>(frame.size()));
    uint8_t head[4] = {};
    ASSERT_EQ(Vk800UsbSerialEx_ReadCommWait(handle, 2000, head, 4, 10), 4);
    EXPECT_EQ(head[0], 'T');
    EXPECT_EQ(head[1], '2');
    std::vector<uint8_t> rest(head[2] + (head[3] << 8) + 2u);
    ASSERT_EQ(
        Vk800UsbSerialEx_ReadCommWait(handle, 2000, rest.data(), static_cast<int>(rest.size()), 10),
        static_cast<int>(rest.size()));
    EXPECT_EQ(std::string(rest.begin(), rest.begin() + 6), "EISET:");
    uint8_t more[8];
    EXPECT_EQ(Vk800UsbSerialEx_ReadComm(handle, more, sizeof more), 0) << "nothing else came";
    EXPECT_EQ(Vk800UsbSerialEx_ReadCommWait(handle, 50, more, sizeof more, 10), 0)
        << "the wait ends empty";

    Vk800UsbSerialEx_CloseComm(handle);
    EXPECT_EQ(Vk800UsbSerialEx_ReadComm(handle, more, 1), -5) << "a closed handle";
    EXPECT_EQ(Vk800UsbSerialEx_WriteComm(handle, frame.data(), 1), -6);
    EXPECT_EQ(CP210xRT_ReadLatch(handle, &latch), 1);
}

}  // namespace
}  // namespace tb::wine
