#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "platform/usbserial/ComPortMap.h"
#include "sim/core/PtyPort.h"

namespace tb::usbserial {
namespace {

UsbSerialDevice Usb(const std::string& name) {
    return {"/dev/" + name, name, UsbId{0x1234, 0x5678}};
}

TEST(ComPortMapTest, SimulatedNumbersStandAndRealDevicesAvoidThem) {
    auto map = ParseDeviceMap(
        "1 /dev/pts/1 2f5c-8001 8\n3 /dev/pts/3 2f5c-8001 0\n32 /dev/pts/9 2f5c-8870 8\n");
    auto ports = ComPortMap::Build(
        map, {Usb("ttyACM0"), Usb("ttyS0x"), Usb("ttyUSB0"), Usb("ttyUSB1"), Usb("ttyUSB3")});
    // ttyUSB0 wants COM1 (taken) and "ttyS0x" has no number of its own: both
    // get the lowest free numbers, in kernel-name order.
    std::vector<std::pair<int, std::string>> got;
    for (const auto& port : ports.Ports()) got.emplace_back(port.number, port.path);
    std::vector<std::pair<int, std::string>> expected = {
        {1, "/dev/pts/1"},  {2, "/dev/ttyUSB1"}, {3, "/dev/pts/3"},  {4, "/dev/ttyUSB3"},
        {5, "/dev/ttyS0x"}, {6, "/dev/ttyUSB0"}, {32, "/dev/pts/9"}, {129, "/dev/ttyACM0"}};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(ports.Find(1)->simulated);
    EXPECT_EQ(ports.Find(32)->latch, 8);
    EXPECT_FALSE(ports.Find(129)->simulated);
    EXPECT_EQ(ports.Find(7), nullptr);
}

TEST(ComPortMapTest, ADeviceListedInTheMapIsNotNumberedTwice) {
    auto map = ParseDeviceMap("7 /dev/ttyUSB0 2f5c-8001 8\n");
    auto ports = ComPortMap::Build(map, {Usb("ttyUSB0")});
    ASSERT_EQ(ports.Ports().size(), 1u);
    EXPECT_EQ(ports.Ports()[0].number, 7);
}

TEST(ComPortMapTest, ComDbHasOneBitPerAssignedNumber) {
    auto map = ParseDeviceMap(
        "1 /dev/a 2f5c-8001 0\n3 /dev/b 2f5c-8001 0\n32 /dev/c 2f5c-8001 0\n"
        "256 /dev/d 2f5c-8001 0\n");
    ComDb bits = ComPortMap::Build(map, {}).Assigned();
    ComDb expected{};
    expected[0] = 0x05;   // COM1, COM3
    expected[3] = 0x80;   // COM32
    expected[31] = 0x80;  // COM256
    EXPECT_EQ(bits, expected);
    EXPECT_EQ(ComPortMap::Build({}, {}).Assigned(), ComDb{});
}

TEST(ComPortMapTest, OnlyTerminalDevicesCountAsSerialDevices) {
    sim::PtyPort pty;
    EXPECT_TRUE(IsSerialDevice(pty.SlavePath()));
    EXPECT_TRUE(IsSerialDevice("/dev/tty"));
    EXPECT_FALSE(IsSerialDevice("/dev/null"));
    EXPECT_FALSE(IsSerialDevice("/dev/zero"));
    EXPECT_FALSE(IsSerialDevice("/"));
    EXPECT_FALSE(IsSerialDevice("/nonexistent/tty"));
    char fifo[] = "/tmp/trimbench-fifo-XXXXXX";
    ASSERT_NE(mkdtemp(fifo), nullptr);
    std::string path = std::string(fifo) + "/f";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(IsSerialDevice(path));
    unlink(path.c_str());
    rmdir(fifo);
}

TEST(ComPortMapTest, PathsAreGivenOnlyForTerminalDevices) {
    sim::PtyPort pty;
    char folder[] = "/tmp/trimbench-paths-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::string map = std::string(folder) + "/devices.map";
    {
        std::ofstream out(map);
        out << "1 " << pty.SlavePath() << " 2f5c-8001 8\n2 /dev/null 2f5c-8001 8\n";
    }
    setenv(kDeviceMapVariable, map.c_str(), 1);
    EXPECT_EQ(ComPortPath(1), pty.SlavePath());
    EXPECT_EQ(ComPortPath(2), std::nullopt);
    EXPECT_EQ(ComPortPath(3), std::nullopt);
    EXPECT_EQ(AssignedComPorts()[0], 0x03) << "both numbers are assigned all the same";
    unsetenv(kDeviceMapVariable);
    unlink(map.c_str());
    rmdir(folder);
}

TEST(ComPortMapTest, RealDevicesBeyondTheLastFreeNumberAreLeftOut) {
    std::string text;
    for (int n = 1; n <= 256; ++n)
        text += std::to_string(n) + " /dev/s" + std::to_string(n) + " 2f5c-8001 0\n";
    auto ports = ComPortMap::Build(ParseDeviceMap(text), {Usb("ttyUSB0")});
    EXPECT_EQ(ports.Ports().size(), 256u);
    for (const auto& port : ports.Ports()) EXPECT_TRUE(port.simulated);
}

}  // namespace
}  // namespace tb::usbserial
