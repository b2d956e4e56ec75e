#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/cp210x/CP210xRuntime.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"
#include "tests/usbserial/SimulatedPorts.h"

namespace tb::usbserial {
namespace {

TEST(LatchTest, LatchOfEachMappedDeviceComesFromTheMap) {
    testing::SimulatedPorts sim;
    for (auto [port, expected] : {std::pair{1, 0x08}, std::pair{3, 0x00}}) {
        uint32_t handle = 0;
        ASSERT_EQ(Vk800UsbSerialEx_OpenComm(port, 16384, 16384, 38400, &handle), 0);
        uint8_t latch = 0xAA;
        EXPECT_EQ(CP210xRT_ReadLatch(handle, &latch), 0);
        EXPECT_EQ(latch, expected) << "COM" << port;
        EXPECT_NE(CP210xRT_ReadLatch(handle, nullptr), 0);
        Vk800UsbSerialEx_CloseComm(handle);
    }
}

TEST(LatchTest, ChangedLatchIsSeenAfterTheMapIsRewritten) {
    testing::SimulatedPorts sim;
    uint32_t handle = 0;
    ASSERT_EQ(Vk800UsbSerialEx_OpenComm(1, 16384, 16384, 38400, &handle), 0);
    {
        auto lock = sim.bench.LockState();
        sim.first.SetIdentity({0x2f5c, 0x8001, 0xF7, 38400});
    }
    sim.bench.RefreshIdentities();
    uint8_t latch = 0;
    EXPECT_EQ(CP210xRT_ReadLatch(handle, &latch), 0);
    EXPECT_EQ(latch, 0xF7);
    Vk800UsbSerialEx_CloseComm(handle);
}

TEST(LatchTest, UnmappedDescriptorsFailAndLeaveTheByteAlone) {
    testing::SimulatedPorts sim;
    uint8_t latch = 0xAA;
    int null = open("/dev/null", O_RDWR);
    ASSERT_GE(null, 0);
    EXPECT_NE(CP210xRT_ReadLatch(static_cast<uint32_t>(null), &latch), 0);
    close(null);
    EXPECT_NE(CP210xRT_ReadLatch(0xFFFFFFF0u, &latch), 0);
    EXPECT_NE(CP210xRT_ReadLatch(static_cast<uint32_t>(null), &latch), 0) << "closed descriptor";
    EXPECT_EQ(latch, 0xAA);
}

}  // namespace
}  // namespace tb::usbserial
