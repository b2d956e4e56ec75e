#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "sim/core/Bench.h"
#include "sim/core/EchoDevice.h"
#include "tests/simcore/PtyClient.h"

namespace tb::sim {
namespace {

using namespace std::chrono_literals;
using testing::PtyClient;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// Waits, however long the bench's thread takes, until the device on `com`
// has been pulled out and its port removed. False when the bench has read
// the client's `bytesSent` bytes and settled with the device still in.
bool PulledOut(Bench& bench, int com, uint64_t bytesSent) {
    for (;;) {
        {
            auto lock = bench.LockState();
            const SimPort* port = bench.Port(com);
            if (port == nullptr) return true;
            if (!port->Pulled() && port->BytesIn() >= bytesSent && port->Settled()) return false;
        }
        std::this_thread::sleep_for(5ms);
    }
}

TEST(BenchTest, DeviceServesAClientThatClosesAndReopensThePort) {
    Bench bench({.pacing = false});
    auto& echo = bench.Emplace<EchoDevice>();
    const std::string path = bench.PortOf(echo)->Path();
    for (const char* text : {"first", "second", "third"}) {
        PtyClient client(path);
        ASSERT_TRUE(client.IsOpen());
        client.Write(text);
        EXPECT_EQ(client.Read(strlen(text), 2000ms), text);
    }
    auto lock = bench.LockState();
    EXPECT_EQ(std::string(echo.Received().begin(), echo.Received().end()), "firstsecondthird");
}

// A client's bytes can still be on their way through the kernel while the
// bench's line shows nothing unread; a wait for an idle bench has taken
// them in, so a virtual clock never runs past a request on its way.
TEST(BenchTest, AnIdleBenchHasTakenInEveryByteWrittenBeforeTheWait) {
    Bench bench({.pacing = false});
    auto& echo = bench.Emplace<EchoDevice>();
    PtyClient client(bench.PortOf(echo)->Path());
    std::size_t sent = 0;
    for (int round = 0; round < 300; ++round) {
        client.Write("0123456789");
        sent += 10;
        bench.WaitUntilIdle();
        {
            auto lock = bench.LockState();
            ASSERT_EQ(echo.Received().size(), sent) << "round " << round;
        }
        EXPECT_EQ(client.Read(10, 2000ms), "0123456789");
    }
}

TEST(BenchTest, ScriptedRepliesComeBeforeTheEcho) {
    Bench bench({.pacing = false});
    auto& echo = bench.Emplace<EchoDevice>();
    {
        auto lock = bench.LockState();
        echo.QueueReply({'O', 'K'});
    }
    PtyClient client(bench.PortOf(echo)->Path());
    client.Write("?");
    EXPECT_EQ(client.Read(2, 2000ms), "OK");
    client.Write("e");
    EXPECT_EQ(client.Read(1, 2000ms), "e");
}

TEST(BenchTest, NumbersAreHandedOutUpwardsAndCollisionsRefused) {
    Bench bench({.pacing = false, .firstComNumber = 5});
    EXPECT_EQ(bench.Add(std::make_unique<EchoDevice>()), 5);
    EXPECT_EQ(bench.Add(std::make_unique<EchoDevice>(), 7), 7);
    EXPECT_EQ(bench.Add(std::make_unique<EchoDevice>()), 6);
    EXPECT_EQ(bench.Add(std::make_unique<EchoDevice>()), 8);
    EXPECT_THROW(bench.Add(std::make_unique<EchoDevice>(), 7), std::invalid_argument);
    EXPECT_THROW(bench.Add(std::make_unique<EchoDevice>(), 257), std::invalid_argument);
    EXPECT_THROW(bench.Add(std::make_unique<EchoDevice>(), -1), std::invalid_argument);
    EXPECT_EQ(bench.ComNumbers(), (std::vector<int>{5, 6, 7, 8}));
    auto devices = bench.Devices();
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(bench.ComNumberOf(*devices[2]), 7);
}

TEST(BenchTest, DeviceMapListsEveryDeviceAndIsRemovedWithTheBench) {
    std::string path;
    {
        Bench bench({.pacing = false});
        bench.Emplace<EchoDevice>(DeviceIdentity{0x2f5c, 0x8001, 0x08, 38400});
        path = bench.UseTemporaryDeviceMap();
        EXPECT_EQ(std::string(getenv("TRIMBENCH_DEVICE_MAP")), path);
        auto& second = bench.Emplace<EchoDevice>(DeviceIdentity{0x2f5c, 0x8870, 0xf7, 19200});
        std::string expected = "1 " + bench.Port(1)->Path() + " 2f5c-8001 0x08\n" + "2 " +
                               bench.PortOf(second)->Path() + " 2f5c-8870 0xf7\n";
        std::string text = ReadFile(path);
        EXPECT_NE(text.find(expected), std::string::npos) << text;
        EXPECT_FALSE(Exists(path + ".tmp" + std::to_string(getpid())));
    }
    EXPECT_FALSE(Exists(path));
}

TEST(BenchTest, AMovedDeviceMapLeavesNoFileBehind) {
    std::string first, second;
    {
        Bench bench({.pacing = false});
        bench.Emplace<EchoDevice>(DeviceIdentity{0x2f5c, 0x8001, 0x08, 38400});
        first = bench.UseTemporaryDeviceMap();
        second = first + ".moved";
        bench.WriteDeviceMap(second);
        EXPECT_FALSE(Exists(first));
        EXPECT_NE(ReadFile(second).find(" 2f5c-8001 0x08"), std::string::npos);
    }
    EXPECT_FALSE(Exists(second));
}

TEST(BenchTest, WritingTheMapToAnUnwritablePlaceThrows) {
    Bench bench({.pacing = false});
    EXPECT_THROW(bench.WriteDeviceMap("/nonexistent-folder/devices.map"), std::system_error);
}

TEST(BenchTest, BusyPortHoldsTheOpenersLock) {
    Bench bench({.pacing = false});
    auto& echo = bench.Emplace<EchoDevice>();
    SimPort* port = bench.PortOf(echo);
    ASSERT_TRUE(port->SetBusy(true));
    {
        PtyClient client(port->Path());
        EXPECT_NE(flock(client.Fd(), LOCK_EX | LOCK_NB), 0);
    }
    port->SetBusy(false);
    PtyClient client(port->Path());
    EXPECT_EQ(flock(client.Fd(), LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(port->SetBusy(true)) << "a client holds the port";
}

TEST(BenchTest, DumpShowsEveryDeviceWithItsState) {
    Bench bench({.pacing = false});
    auto& echo = bench.Emplace<EchoDevice>(DeviceIdentity{0x2f5c, 0x8001, 0x08, 38400});
    bench.PortOf(echo)->Faults().Arm(Fault::Silence(2));
    ASSERT_TRUE(bench.PortOf(echo)->SetBusy(true));
    std::string dump = bench.Dump();
    EXPECT_NE(dump.find("COM1 " + bench.PortOf(echo)->Path() + " 2f5c-8001 latch 0x08"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("silence (2 left), port kept busy"), std::string::npos) << dump;
    EXPECT_NE(dump.find("    received: 0 bytes"), std::string::npos) << dump;
}

// A device that answers after a timer.
class LateDevice : public Device {
  public:
    std::string Name() const override { return "late"; }
    DeviceIdentity Identity() const override { return {}; }
    void OnReceived(std::span<const uint8_t>, DeviceLink& link) override { link.StartTimer(50); }
    void OnTimer(DeviceLink& link) override {
        const uint8_t done[] = {'!'};
        link.Send(done);
    }
    std::string DumpState() const override { return {}; }
};

TEST(BenchTest, RepliesAndTimersStartedFromAnotherThreadGoOut) {
    Bench bench({.pacing = false});
    auto& late = bench.Emplace<LateDevice>();
    PtyClient client(bench.PortOf(late)->Path());
    std::this_thread::sleep_for(50ms);  // the service loop is idle now
    {
        auto lock = bench.LockState();
        const uint8_t hello[] = {'h', 'i'};
        bench.PortOf(late)->Send(hello);
    }
    EXPECT_EQ(client.Read(2, 2000ms), "hi");
    {
        auto lock = bench.LockState();
        bench.PortOf(late)->StartTimer(10);
    }
    EXPECT_EQ(client.Read(1, 2000ms), "!");
}

TEST(BenchTest, DeviceTimerFiresOnce) {
    Bench bench({.pacing = false});
    auto& late = bench.Emplace<LateDevice>();
    PtyClient client(bench.PortOf(late)->Path());
    auto start = std::chrono::steady_clock::now();
    client.Write("x");
    EXPECT_EQ(client.Read(1, 2000ms), "!");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);
    EXPECT_EQ(client.Read(1, 150ms), "");
}

class ThrowingDevice : public Device {
  public:
    std::string Name() const override { return "thrower"; }
    DeviceIdentity Identity() const override { return {}; }
    void OnReceived(std::span<const uint8_t> bytes, DeviceLink& link) override {
        if (bytes[0] == 'x') throw std::runtime_error("cannot take x");
        link.Send(bytes);
    }
    std::string DumpState() const override { return {}; }
};

TEST(BenchTest, ADeviceThatThrowsIsReportedAndStillServed) {
    Bench bench({.pacing = false});
    auto& device = bench.Emplace<ThrowingDevice>();
    PtyClient client(bench.PortOf(device)->Path());
    client.Write("x");
    EXPECT_EQ(client.Read(1, 200ms), "");
    client.Write("y");
    EXPECT_EQ(client.Read(1, 2000ms), "y");
    EXPECT_NE(bench.Dump().find("device error: cannot take x"), std::string::npos);
}

TEST(BenchTest, AFloodingClientIsHeldBackByTheLineRate) {
    Bench bench;
    auto& echo = bench.Emplace<EchoDevice>(DeviceIdentity{0xffff, 1, 0, 300});
    PtyClient client(bench.PortOf(echo)->Path());
    std::string chunk(4096, 'f');
    size_t accepted = 0;
    auto end = std::chrono::steady_clock::now() + 300ms;
    while (std::chrono::steady_clock::now() < end) {
        ssize_t n = write(client.Fd(), chunk.data(), chunk.size());
        if (n > 0)
            accepted += static_cast<size_t>(n);
        else
            std::this_thread::sleep_for(1ms);
    }
    // At 300 baud the line carries 9 bytes in 300 ms; what was accepted
    // waits in the pty and the bench's line buffer, not in ever more memory.
    EXPECT_LT(accepted, 512u * 1024);
}

// A pulled cable: the client's line fails, the map forgets the device, the
// number stays reserved, and a replug serves the same device under it again.
TEST(BenchTest, UnplugClosesThePortAndReplugBringsTheDeviceBackUnderItsNumber) {
    Bench bench({.pacing = false});
    const std::string map = bench.UseTemporaryDeviceMap();
    auto& echo = bench.Emplace<EchoDevice>();
    bench.Emplace<EchoDevice>();
    PtyClient client(bench.Port(1)->Path());
    client.Write("a");
    ASSERT_EQ(client.Read(1, 2000ms), "a");

    ASSERT_TRUE(bench.Unplug(1));
    EXPECT_FALSE(bench.Unplug(1));
    EXPECT_EQ(bench.Port(1), nullptr);
    EXPECT_EQ(bench.UnpluggedComNumbers(), std::vector<int>{1});
    EXPECT_EQ(ReadFile(map).find("\n1 "), std::string::npos) << ReadFile(map);
    EXPECT_EQ(ReadFile(map).rfind("1 ", 0), std::string::npos) << ReadFile(map);
    pollfd hangUp{client.Fd(), POLLIN, 0};
    ASSERT_EQ(poll(&hangUp, 1, 2000), 1);
    EXPECT_NE(hangUp.revents & (POLLHUP | POLLERR), 0) << "the line is gone";
    EXPECT_NE(bench.Dump().find("COM1 unplugged"), std::string::npos);
    EXPECT_EQ(bench.Add(std::make_unique<EchoDevice>()), 3) << "an unplugged number stays taken";
    EXPECT_FALSE(bench.Replug(2));

    ASSERT_TRUE(bench.Replug(1));
    EXPECT_TRUE(bench.UnpluggedComNumbers().empty());
    ASSERT_NE(bench.Port(1), nullptr);
    EXPECT_EQ(&bench.Port(1)->GetDevice(), &echo);
    EXPECT_NE(ReadFile(map).find(bench.Port(1)->Path()), std::string::npos);
    PtyClient again(bench.Port(1)->Path());
    again.Write("c");
    EXPECT_EQ(again.Read(1, 2000ms), "c");
    auto lock = bench.LockState();
    EXPECT_EQ(std::string(echo.Received().begin(), echo.Received().end()), "ac");
}

TEST(BenchTest, ADevicePulledAtItsNextReplyTakesTheRequestButNeverAnswers) {
    Bench bench({.pacing = false});
    auto& echo = bench.Emplace<EchoDevice>();
    PtyClient client(bench.Port(1)->Path());
    ASSERT_TRUE(bench.UnplugOnNextReply(1));
    EXPECT_NE(bench.Dump().find("pulled out at its next reply"), std::string::npos);
    client.Write("r");
    EXPECT_EQ(client.Read(1, 300ms), "");
    EXPECT_TRUE(PulledOut(bench, 1, 1));
    ASSERT_TRUE(bench.Replug(1));
    auto lock = bench.LockState();
    EXPECT_EQ(std::string(echo.Received().begin(), echo.Received().end()), "r");
}

// Clearing a port's faults also disarms a pull that has not happened yet
// (else it would take the device out in some later exchange); a pull armed
// for a later reply lets the earlier ones through.
TEST(BenchTest, ClearingDisarmsAPendingPullAndAPullCanWaitForALaterReply) {
    Bench bench({.pacing = false});
    bench.Emplace<EchoDevice>();
    PtyClient client(bench.Port(1)->Path());
    {
        auto lock = bench.LockState();
        bench.Port(1)->PullOnNextReply();
        bench.Port(1)->ClearFaults();
    }
    EXPECT_EQ(bench.Dump().find("pulled out"), std::string::npos);
    client.Write("a");
    EXPECT_EQ(client.Read(1, 2000ms), "a");
    ASSERT_NE(bench.Port(1), nullptr);

    {
        auto lock = bench.LockState();
        bench.Port(1)->PullAtReply(2);
    }
    client.Write("b");
    EXPECT_EQ(client.Read(1, 2000ms), "b");
    client.Write("c");
    EXPECT_EQ(client.Read(1, 300ms), "");
    EXPECT_TRUE(PulledOut(bench, 1, 3));
}

}  // namespace
}  // namespace tb::sim
