// Frame reception on a scripted port, on the virtual clock.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "link/FrameReception.h"
#include "link/ResultCodes.h"
#include "platform/Clock.h"
#include "tests/link/ScriptedPortLayer.h"

namespace tb::link {
namespace {

using testing::Kind2Frame;
using testing::ScriptedPortLayer;

constexpr int kPort = 1;

class FrameReceptionTest : public ::testing::Test {
  protected:
    FrameReceptionTest() : scopedClock_(clock_) { ports_.Attach("2f5c-8001", kPort).open = true; }

    // Runs the reception with the given capacity and time-out.
    int Receive(int capacity, int timeoutSec = 2) {
        buffer_.assign(static_cast<size_t>(capacity) + 1, 0xEE);
        entry_.key = 0x1234ABCD;
        entry_.rcvData = buffer_.data();
        entry_.rcvCapacity = capacity;
        entry_.rcvTimeoutSec = timeoutSec;
        ReceptionPort port{
            [this](uint8_t* out, int count) { return ports_.ReadComm(kPort, out, count); },
            [](uint32_t ms) { platform::SleepMs(ms); }};
        const int length = Sb_Data_Recv(entry_, port, diag_);
        entry_.rcvData = nullptr;
        return length;
    }
    std::vector<uint8_t> Delivered() const {
        return {buffer_.begin(), buffer_.begin() + entry_.rcvLength};
    }
    uint64_t Slept() const { return clock_.TotalSleptMs(); }

    platform::VirtualClock clock_{0, 1700000000};
    platform::ScopedClock scopedClock_;
    ScriptedPortLayer ports_;
    diag::Diagnostics diag_;
    MngEntry entry_;
    std::vector<uint8_t> buffer_;
};

TEST_F(FrameReceptionTest, DeliversEachKindWholeWithOneLongPausePerHeaderByteButTheLast) {
    struct Case {
        std::vector<uint8_t> frame;
        uint64_t headerBytes;
    };
    const std::vector<Case> cases{
        {{'T', '1', 2, 'a', 'b', 'c'}, 3},
        {Kind2Frame("EIADJ:STATUS"), 4},
        {{'T', '4', 1, 0, 0, 0, 'z', 1, 2, 3, 4}, 6},
        {{'T', 'E', 3, 0, 0, 0, 'x', 'y', 'z'}, 6},
    };
    for (const Case& c : cases) {
        ports_.Arrive(kPort, c.frame);
        const uint64_t before = Slept();
        ASSERT_EQ(Receive(1024), static_cast<int>(c.frame.size())) << c.frame[1];
        EXPECT_EQ(entry_.result, 1);
        EXPECT_EQ(Delivered(), c.frame);
        // 1 ms before every read, 20 ms after every header byte but the last,
        // and the data part in one read.
        EXPECT_EQ(Slept() - before, c.headerBytes * 1 + (c.headerBytes - 1) * 20 + 1) << c.frame[1];
        EXPECT_TRUE(ports_.Port(kPort).incoming.empty());
    }
}

TEST_F(FrameReceptionTest, KindEWithLengthZeroIsCompleteAfterItsHeader) {
    ports_.Arrive(kPort, {'T', 'E', 0, 0, 0, 0, 'N', 'E', 'X', 'T'});
    ASSERT_EQ(Receive(64), 6);
    EXPECT_EQ(Delivered(), (std::vector<uint8_t>{'T', 'E', 0, 0, 0, 0}));
    EXPECT_EQ(ports_.Port(kPort).incoming.size(), 4u);  // the next frame stays in the port
}

TEST_F(FrameReceptionTest, RefusesAStartOtherThanTAndAnUnknownKind) {
    ports_.Arrive(kPort, {'X', '2', 0, 0});
    EXPECT_EQ(Receive(64), -1);
    EXPECT_EQ(entry_.result, kBadFrameStart);
    EXPECT_EQ(Slept(), 1u);  // at once, at the first byte

    ports_.Port(kPort).incoming.clear();
    ports_.Arrive(kPort, {'T', '3', 0, 0});
    EXPECT_EQ(Receive(64), -1);
    EXPECT_EQ(entry_.result, kBadFrameStart);
}

TEST_F(FrameReceptionTest, AcceptsAFrameOfExactlyTheCapacityAndRefusesOneByteMore) {
    const auto frame = Kind2Frame("0123456789");  // 16 bytes
    ports_.Arrive(kPort, frame);
    EXPECT_EQ(Receive(16), 16);
    EXPECT_EQ(Delivered(), frame);
    EXPECT_EQ(buffer_[16], 0xEE);  // nothing written past the frame

    ports_.Arrive(kPort, frame);
    EXPECT_EQ(Receive(15), -1);
    EXPECT_EQ(entry_.result, kFrameTooLong);
    EXPECT_EQ(buffer_[0], 0xEE);  // nothing delivered
}

TEST_F(FrameReceptionTest, RefusesAHugeAnnouncedLengthWithoutWaitingForIt) {
    ports_.Arrive(kPort, {'T', '4', 0xFF, 0xFF, 0xFF, 0xFF, 'd', 'a', 't', 'a'});
    EXPECT_EQ(Receive(1024, 10), -1);
    EXPECT_EQ(entry_.result, kFrameTooLong);
    EXPECT_LT(Slept(), 1000u);
    EXPECT_EQ(ports_.Port(kPort).incoming.size(), 4u);  // the data part was not read
}

TEST_F(FrameReceptionTest, TimeOutCountsFromTheStartOfReceptionNotFromTheHeader) {
    // The header comes 1.5 s late and the data part never.
    ports_.Arrive(kPort, {'T', '2', 4, 0}, 1500);
    EXPECT_EQ(Receive(64, 2), -1);
    EXPECT_EQ(entry_.result, kTimeout);
    // Deadline: the start second + 2, passed once the seconds clock reads 3.
    EXPECT_GE(Slept(), 3000u);
    EXPECT_LT(Slept(), 3100u);
}

TEST_F(FrameReceptionTest, SilenceAndReadErrorsEndInATimeOut) {
    EXPECT_EQ(Receive(64, 1), -1);
    EXPECT_EQ(entry_.result, kTimeout);
    EXPECT_GE(Slept(), 2000u);

    ports_.Port(kPort).readError = -5;
    ports_.Arrive(kPort, Kind2Frame("x"));
    EXPECT_EQ(Receive(64, 1), -1);
    EXPECT_EQ(entry_.result, kTimeout);
}

TEST_F(FrameReceptionTest, ADataPartInPiecesIsJoined) {
    const auto frame = Kind2Frame("a reply that comes in three pieces");
    ports_.Arrive(kPort, {frame.begin(), frame.begin() + 10}, 0);
    ports_.Arrive(kPort, {frame.begin() + 10, frame.begin() + 20}, 400);
    ports_.Arrive(kPort, {frame.begin() + 20, frame.end()}, 900);
    ASSERT_EQ(Receive(1024), static_cast<int>(frame.size()));
    EXPECT_EQ(Delivered(), frame);
}

TEST_F(FrameReceptionTest, AMissingReceiveBufferFailsWithMinusTen) {
    ReceptionPort port{[](uint8_t*, int) { return 0; }, [](uint32_t) {}};
    entry_.rcvData = nullptr;
    EXPECT_EQ(Sb_Data_Recv(entry_, port, diag_), -1);
    EXPECT_EQ(entry_.result, kNoReceiveBuffer);
}

}  // namespace
}  // namespace tb::link
