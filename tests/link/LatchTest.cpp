// The latch rules of the unit count and the serial query, with test copies
// of the bridge run-time library loaded by name.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "link/LinkLibrary.h"
#include "link/ResultCodes.h"
#include "platform/Clock.h"
#include "tests/link/ScriptedPortLayer.h"

namespace tb::link {
namespace {

using testing::Kind2Frame;
using testing::ScriptedPort;
using testing::ScriptedPortLayer;
using testing::SerialReplyBody;

constexpr int kProduct = 0x8001;
const std::string kDir = FAKE_LATCH_DIR;
const std::string kFirst = kDir + "/libCP210xRuntime.so";
const std::string kSecond = kDir + "/libCP210xRuntime6.so";
const std::string kWithoutReadLatch = kDir + "/libNoLatchRuntime.so";
const std::string kMissing = kDir + "/libAbsentRuntime.so";

// A loaded test copy of the run-time library whose latches the test sets.
class FakeRuntime {
  public:
    explicit FakeRuntime(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW)) {
        EXPECT_NE(handle_, nullptr) << dlerror();
        if (handle_) set_ = reinterpret_cast<SetFn>(dlsym(handle_, "FakeLatch_Set"));
    }
    ~FakeRuntime() {
        if (handle_) dlclose(handle_);
    }
    void Readable(uint32_t port, uint8_t latch) { set_(port, 0, latch); }
    void Unreadable(uint32_t port) { set_(port, -1, 0); }

  private:
    using SetFn = void (*)(uint32_t, int, uint8_t);
    void* handle_;
    SetFn set_ = nullptr;
};

class LatchTest : public ::testing::Test {
  protected:
    LatchTest() : scopedClock_(clock_), first_(kFirst), second_(kSecond) {}

    int Count(const LatchRuntimeNames& names, uint8_t* status, int length) {
        LinkLibrary link(ports_, names, nullptr);
        return link.GetConnectNum(status, length, kProduct, 0);
    }
    void AttachPorts(int count) {
        for (int port = 1; port <= count; ++port) ports_.Attach("2f5c-8001", port);
    }

    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_;
    ScriptedPortLayer ports_;
    FakeRuntime first_;
    FakeRuntime second_;
};

TEST_F(LatchTest, CountsBaseUnitsAndMarksEveryKindOfPort) {
    AttachPorts(7);
    first_.Readable(1, 0x08);  // base unit
    first_.Readable(2, 0xF7);  // bit 3 clear: another device
    first_.Unreadable(3);      // read through the second library instead
    second_.Readable(3, 0x0F);
    first_.Unreadable(4);  // unreadable through both
    second_.Unreadable(4);
    ports_.Port(5).openResults.assign(11, kPortBusy);  // in use: counts
    ports_.Port(6).openResults.assign(1, kPortCannotOpen);
    first_.Readable(7, 0x08);

    uint8_t status[8];
    std::memset(status, 0xEE, sizeof status);
    EXPECT_EQ(Count({kFirst, kSecond}, status, 6), 4);
    EXPECT_EQ(std::vector<uint8_t>(status, status + 8),
              (std::vector<uint8_t>{1, 2, 1, 3, 1, 0, 0xEE, 0xEE}));
    EXPECT_EQ(ports_.closeCalls, 5);  // every opened port is closed again
}

TEST_F(LatchTest, WithOnlyTheSecondLibraryAFailedReadLeavesTheEntryAlone) {
    AttachPorts(2);
    second_.Readable(1, 0x08);
    second_.Unreadable(2);
    uint8_t status[2] = {0xEE, 0xEE};
    EXPECT_EQ(Count({kMissing, kSecond}, status, 2), 1);
    EXPECT_EQ(status[0], 1);
    EXPECT_EQ(status[1], 0xEE);
}

TEST_F(LatchTest, ALibraryWithoutTheLatchCallCountsTheUnitWithoutAnEntry) {
    AttachPorts(1);
    uint8_t status[1] = {0xEE};
    EXPECT_EQ(Count({kWithoutReadLatch, kSecond}, status, 1), 1);
    EXPECT_EQ(status[0], 0xEE);
}

TEST_F(LatchTest, NoRunTimeLibraryFailsBothDiscoveriesWithMinus31) {
    AttachPorts(2);
    uint8_t status[2] = {0xEE, 0xEE};
    EXPECT_EQ(Count({kMissing, kMissing}, status, 2), kNoLatchRuntime);
    EXPECT_EQ(status[0], 0xEE);  // nothing written on failure
    EXPECT_EQ(ports_.closeCalls, 1);

    uint32_t serials[2] = {9, 9};
    LinkLibrary missing(ports_, {kMissing, kMissing}, nullptr);
    EXPECT_EQ(missing.GetSerial(serials, 2, kProduct, 0), kNoLatchRuntime);
    EXPECT_FALSE(missing.SerialQueryRunning());
    LinkLibrary withoutCall(ports_, {kWithoutReadLatch, kSecond}, nullptr);
    EXPECT_EQ(withoutCall.GetSerial(serials, 2, kProduct, 0), kNoLatchRuntime);
    EXPECT_EQ(serials[0], 9u);
    EXPECT_EQ(missing.GetSerial(serials, 2, kProduct, 1),
              0);  // skipping the latch needs no library
}

TEST_F(LatchTest, TheSerialQueryAsksOnlyBaseUnits) {
    for (int port = 1; port <= 3; ++port) {
        ports_.Attach("2f5c-8001", port).onWrite = [this, port](ScriptedPort& self) {
            self.written.clear();
            ports_.Arrive(port, Kind2Frame(SerialReplyBody("0000000" + std::to_string(port))));
        };
    }
    first_.Readable(1, 0x00);
    first_.Unreadable(2);
    second_.Unreadable(2);
    first_.Unreadable(3);
    second_.Readable(3, 0x08);
    LinkLibrary link(ports_, {kFirst, kSecond}, nullptr);
    uint32_t serials[4] = {};
    EXPECT_EQ(link.GetSerial(serials, 4, kProduct, 0), 1);
    EXPECT_EQ(serials[0], 3u);
    EXPECT_TRUE(ports_.Port(1).written.empty());  // never asked
}

}  // namespace
}  // namespace tb::link
