// The port library against trimbench-sim running as a separate process, the
// way the program meets it.
#include <gtest/gtest.h>

#include <array>

#include "platform/cp210x/CP210xRuntime.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"
#include "tests/support/SimProgram.h"

namespace tb::usbserial {
namespace {

using namespace std::chrono_literals;

TEST(ChildBenchTest, EchoDevicesOfTheProgramAreFoundOpenedAndServed) {
    const char* program = getenv("TRIMBENCH_SIM");
    ASSERT_NE(program, nullptr);
    std::string map = ::testing::TempDir() + "child-bench-" + std::to_string(getpid()) + ".map";
    testsupport::SimProgram sim(program, map, {"--echo", "2", "--first-com", "7"});
    ASSERT_TRUE(sim.Started());
    setenv("TRIMBENCH_DEVICE_MAP", map.c_str(), 1);

    std::array<uint8_t, 256> ports{};
    EXPECT_EQ(Vk800UsbSerialEx_CheckPort("ffff-0001", ports.data()), 0);
    EXPECT_TRUE(ports[6] != 0 && ports[7] != 0 && ports[5] == 0 && ports[8] == 0);
    uint32_t handle = 0;
    ASSERT_EQ(Vk800UsbSerialEx_OpenComm(8, 16384, 16384, 38400, &handle), 0);
    uint8_t latch = 0xAA;
    EXPECT_EQ(CP210xRT_ReadLatch(handle, &latch), 0);
    EXPECT_EQ(latch, 0x00);
    const uint8_t frame[] = {'T', '2', 0, 0};
    EXPECT_EQ(Vk800UsbSerialEx_WriteComm(handle, frame, 4), 4);
    std::array<uint8_t, 4> reply{};
    EXPECT_EQ(Vk800UsbSerialEx_ReadCommWait(handle, 2000, reply.data(), 4, 20), 4);
    EXPECT_EQ(reply[1], '2');
    Vk800UsbSerialEx_CloseComm(handle);

    sim.Stop();
    EXPECT_NE(Vk800UsbSerialEx_CheckPort("ffff-0001", ports.data()), 0)
        << "map gone with the bench";
}

}  // namespace
}  // namespace tb::usbserial
