#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <fstream>

#include "platform/Pump.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"
#include "tests/usbserial/SimulatedPorts.h"

namespace tb::usbserial {
namespace {

using Ms = std::chrono::milliseconds;
using SteadyClock = std::chrono::steady_clock;

class PortIoTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (uint32_t handle : opened_) Vk800UsbSerialEx_CloseComm(handle);
    }
    uint32_t Open(int port) {
        uint32_t handle = 0;
        EXPECT_EQ(Vk800UsbSerialEx_OpenComm(port, 16384, 16384, 38400, &handle), 0);
        opened_.push_back(handle);
        return handle;
    }
    void Send(uint32_t handle, const std::string& text) {
        ASSERT_EQ(Vk800UsbSerialEx_WriteComm(handle, reinterpret_cast<const uint8_t*>(text.data()),
                                             static_cast<int>(text.size())),
                  static_cast<int>(text.size()));
    }
    std::string ReadWait(uint32_t handle, int count, int waitMs) {
        std::vector<uint8_t> buffer(static_cast<size_t>(count));
        int n = Vk800UsbSerialEx_ReadCommWait(handle, waitMs, buffer.data(), count, 20);
        EXPECT_GE(n, 0);
        return std::string(buffer.begin(), buffer.begin() + std::max(n, 0));
    }

    testing::SimulatedPorts sim;
    std::vector<uint32_t> opened_;
};

TEST_F(PortIoTest, RoundTripThroughASimulatedDevice) {
    uint32_t handle = Open(1);
    Send(handle, "hello");
    EXPECT_EQ(ReadWait(handle, 5, 2000), "hello");
}

TEST_F(PortIoTest, SecondOpenOfAPortIsBusyUntilClosed) {
    uint32_t handle = Open(2);
    uint32_t again = 0xFFFFFFFF;
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(2, 16384, 16384, 38400, &again), -7);
    EXPECT_EQ(again, 0xFFFFFFFFu) << "no handle is written on failure";
    Vk800UsbSerialEx_CloseComm(handle);
    opened_.clear();
    uint32_t reopened = Open(2);
    Send(reopened, "x");
    EXPECT_EQ(ReadWait(reopened, 1, 2000), "x") << "the device serves the reopened port";
}

TEST_F(PortIoTest, PortKeptBusyBySimulatorAnswersBusy) {
    ASSERT_TRUE(sim.bench.Port(1)->SetBusy(true));
    uint32_t handle = 0;
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(1, 16384, 16384, 38400, &handle), -7);
    sim.bench.Port(1)->SetBusy(false);
    Open(1);
}

TEST_F(PortIoTest, UnmappedMissingOrUnsupportedPortsCannotBeOpened) {
    uint32_t handle = 0;
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(9, 16384, 16384, 38400, &handle), -4);
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(0, 16384, 16384, 38400, &handle), -4);
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(257, 16384, 16384, 38400, &handle), -4);
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(1, 16384, 16384, 12345, &handle), -4);
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(1, 16384, 16384, 38400, nullptr), -4);
    std::ofstream(sim.mapPath, std::ios::app) << "9 /nonexistent/tty 2f5c-8001 8\n"
                                              << "10 /dev/null 2f5c-8001 8\n";
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(9, 16384, 16384, 38400, &handle), -4);
    EXPECT_EQ(Vk800UsbSerialEx_OpenComm(10, 16384, 16384, 38400, &handle), -4);
}

TEST_F(PortIoTest, ReadCommReturnsAtOnceWithWhatIsThere) {
    uint32_t handle = Open(1);
    std::array<uint8_t, 8> buffer{};
    auto start = SteadyClock::now();
    EXPECT_EQ(Vk800UsbSerialEx_ReadComm(handle, buffer.data(), 8), 0);
    EXPECT_LT(SteadyClock::now() - start, Ms(1000));
    Send(handle, "abc");
    ASSERT_EQ(ReadWait(handle, 2, 2000), "ab");
    EXPECT_EQ(Vk800UsbSerialEx_ReadComm(handle, buffer.data(), 8), 1);
    EXPECT_EQ(buffer[0], 'c');
    EXPECT_EQ(Vk800UsbSerialEx_ReadComm(handle, nullptr, 8), -5);
    EXPECT_EQ(Vk800UsbSerialEx_ReadComm(handle, buffer.data(), -1), -5);
}

TEST_F(PortIoTest, ReadCommWaitReturnsWhenCountIsInOrWhenTheWaitRunsOut) {
    uint32_t handle = Open(1);
    Send(handle, "0123456789");
    auto start = SteadyClock::now();
    EXPECT_EQ(ReadWait(handle, 10, 10000), "0123456789");
    EXPECT_LT(SteadyClock::now() - start, Ms(5000)) << "did not return when the count was in";

    Send(handle, "short");
    start = SteadyClock::now();
    EXPECT_EQ(ReadWait(handle, 20, 300), "short");
    EXPECT_GE(SteadyClock::now() - start, Ms(300));
}

TEST_F(PortIoTest, ReadCommWaitPumpsTheCallersMessages) {
    uint32_t handle = Open(1);
    int pumped = 0;
    platform::ScopedPumpHook hook([&] { ++pumped; });
    std::array<uint8_t, 4> buffer{};
    EXPECT_EQ(Vk800UsbSerialEx_ReadCommWait(handle, 200, buffer.data(), 4, 10), 0);
    EXPECT_GE(pumped, 2);
}

// Bytes received and not yet read on the port (the handle is the descriptor),
// once `count` have come or a generous wait has run out.
int QueuedAfterEcho(uint32_t handle, int count) {
    int queued = 0;
    auto deadline = SteadyClock::now() + Ms(2000);
    while (queued < count && SteadyClock::now() < deadline) {
        if (ioctl(static_cast<int>(handle), FIONREAD, &queued) != 0) return -1;
        usleep(1000);
    }
    return queued;
}

TEST_F(PortIoTest, FlushDiscardsReceivedBytesAndRejectsUnknownSelectors) {
    uint32_t handle = Open(1);
    Send(handle, "stale");
    ASSERT_EQ(QueuedAfterEcho(handle, 5), 5);
    std::array<uint8_t, 16> buffer{};
    EXPECT_EQ(Vk800UsbSerialEx_FlushComm(handle, 0), 1);
    EXPECT_EQ(Vk800UsbSerialEx_ReadComm(handle, buffer.data(), 16), 0);
    EXPECT_EQ(Vk800UsbSerialEx_FlushComm(handle, 1), 1);
    EXPECT_EQ(Vk800UsbSerialEx_FlushComm(handle, 2), 0);
    EXPECT_EQ(Vk800UsbSerialEx_FlushComm(handle, -1), 0);
}

// A reply its reader gave up on stays on the line after the port closes; the
// next opener must not take it for the answer to its own request.
TEST_F(PortIoTest, BytesLeftByAnEarlierOpenerAreGoneWhenThePortOpensAgain) {
    uint32_t handle = Open(1);
    Send(handle, "left over");
    ASSERT_EQ(QueuedAfterEcho(handle, 9), 9);
    Vk800UsbSerialEx_CloseComm(handle);
    opened_.clear();

    uint32_t reopened = Open(1);
    std::array<uint8_t, 16> buffer{};
    EXPECT_EQ(Vk800UsbSerialEx_ReadComm(reopened, buffer.data(), 16), 0);
    Send(reopened, "new");
    EXPECT_EQ(ReadWait(reopened, 3, 2000), "new");
}

TEST_F(PortIoTest, CallsWithUnknownOrClosedHandlesFail) {
    uint32_t handle = Open(1);
    Vk800UsbSerialEx_CloseComm(handle);
    opened_.clear();
    std::array<uint8_t, 4> buffer{};
    EXPECT_EQ(Vk800UsbSerialEx_WriteComm(handle, buffer.data(), 4), -6);
    EXPECT_EQ(Vk800UsbSerialEx_ReadComm(handle, buffer.data(), 4), -5);
    EXPECT_LT(Vk800UsbSerialEx_ReadCommWait(handle, 10, buffer.data(), 4, 20), 0);
    EXPECT_EQ(Vk800UsbSerialEx_FlushComm(handle, 0), 0);
    // A descriptor the library did not open is never touched.
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    Vk800UsbSerialEx_CloseComm(static_cast<uint32_t>(pipeFds[1]));
    EXPECT_EQ(write(pipeFds[1], "x", 1), 1);
    close(pipeFds[0]);
    close(pipeFds[1]);
}

TEST_F(PortIoTest, WriteRejectsBadArgumentsAndAcceptsNothingToWrite) {
    uint32_t handle = Open(1);
    EXPECT_EQ(Vk800UsbSerialEx_WriteComm(handle, nullptr, 4), -6);
    uint8_t byte = 0;
    EXPECT_EQ(Vk800UsbSerialEx_WriteComm(handle, &byte, -1), -6);
    EXPECT_EQ(Vk800UsbSerialEx_WriteComm(handle, &byte, 0), 0);
}

TEST_F(PortIoTest, CheckPortListsEveryPortOfTheIdentifier) {
    std::array<uint8_t, 256> ports{};
    EXPECT_EQ(Vk800UsbSerialEx_CheckPort("2f5c-8001", ports.data()), 0);
    EXPECT_NE(ports[0], 0);
    EXPECT_NE(ports[1], 0);
    EXPECT_EQ(ports[2], 0);
    ports = {};
    EXPECT_EQ(Vk800UsbSerialEx_CheckPort("2F5C-8002", ports.data()), 0);
    EXPECT_NE(ports[2], 0);
    EXPECT_EQ(ports[0], 0);

    ports = {};
    EXPECT_NE(Vk800UsbSerialEx_CheckPort("2f5c-8003", ports.data()), 0);
    EXPECT_NE(Vk800UsbSerialEx_CheckPort("2f5c-80011", ports.data()), 0);
    EXPECT_NE(Vk800UsbSerialEx_CheckPort("2f5c-8001", nullptr), 0);
    EXPECT_NE(Vk800UsbSerialEx_CheckPort(nullptr, ports.data()), 0);
    EXPECT_EQ(ports, (std::array<uint8_t, 256>{}));
}

TEST_F(PortIoTest, CheckPortSkipsDevicesThatAreGoneAndSeesMapChangesAtOnce) {
    { std::ofstream(sim.mapPath, std::ios::app) << "40 /nonexistent/tty 2f5c-8003 8\n"; }
    std::array<uint8_t, 256> ports{};
    EXPECT_NE(Vk800UsbSerialEx_CheckPort("2f5c-8003", ports.data()), 0);
    {
        std::ofstream(sim.mapPath, std::ios::app)
            << "41 " << sim.bench.Port(3)->Path() << " 2f5c-8003 8\n";
    }
    EXPECT_EQ(Vk800UsbSerialEx_CheckPort("2f5c-8003", ports.data()), 0);
    EXPECT_NE(ports[40], 0);
    EXPECT_EQ(ports[39], 0);
}

}  // namespace
}  // namespace tb::usbserial
