// The link operations on a scripted port layer, on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "link/LinkFrame.h"
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
const char kPrimaryId[] = "2f5c-8001";
const char kSecondaryId[] = "2f5d-8001";

class LinkApiTest : public ::testing::Test {
  protected:
    LinkApiTest() : scopedClock_(clock_), link_(ports_, LatchRuntimeNames{}, nullptr) {}

    // A base unit on port that answers the serial query with replyBody and
    // every other frame with commandReply, 5 ms after the write.
    ScriptedPort& AttachUnit(int port, const std::string& replyBody,
                             const std::string& vidPid = kPrimaryId) {
        ScriptedPort& p = ports_.Attach(vidPid, port);
        p.onWrite = [this, port, replyBody](ScriptedPort& self) {
            const auto& w = self.written;
            if (w.size() < 4 || w.size() < 6u + w[2] + (w[3] << 8)) return;  // not complete yet
            const bool query =
                std::equal(kSerialQueryFrame.begin(), kSerialQueryFrame.end(), w.begin(), w.end());
            const uint32_t at = platform::TickMs() + 5;
            if (query)
                ports_.Arrive(port, Kind2Frame(replyBody), at);
            else if (!commandReply_.empty())
                ports_.Arrive(port, commandReply_, at);
            lastCommand_ = self.written;
            self.written.clear();
        };
        return p;
    }
    ScriptedPort& AttachUnitWithSerial(int port, const std::string& serialHex) {
        return AttachUnit(port, SerialReplyBody(serialHex));
    }
    std::vector<uint32_t> Serials(int count = 256) {
        std::vector<uint32_t> serials(static_cast<size_t>(count), 0xFFFFFFFF);
        const int found = link_.GetSerial(serials.data(), count, kProduct, 1);
        if (found < 0) return {};
        serials.resize(static_cast<size_t>(found));
        return serials;
    }

    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_;
    ScriptedPortLayer ports_;
    LinkLibrary link_;
    std::vector<uint8_t> commandReply_;
    std::vector<uint8_t> lastCommand_;
};

TEST_F(LinkApiTest, WithoutADeviceNothingIsOpenedAndBothVendorsAreAsked) {
    uint32_t serials[4] = {7, 7, 7, 7};
    uint8_t status[256] = {};
    EXPECT_EQ(link_.GetSerial(serials, 4, kProduct, 0), 0);
    EXPECT_EQ(link_.GetConnectNum(status, 256, kProduct, 0), 0);
    EXPECT_EQ(ports_.openCalls, 0);
    EXPECT_EQ(ports_.checkedIds,
              (std::vector<std::string>{kPrimaryId, kSecondaryId, kPrimaryId, kSecondaryId}));
}

TEST_F(LinkApiTest, ListsUnitsInPortOrderIncludingOnesOnTheSecondaryVendor) {
    AttachUnitWithSerial(7, "0000B00B");
    AttachUnitWithSerial(3, "1234abcd");
    EXPECT_EQ(Serials(), (std::vector<uint32_t>{0x1234ABCD, 0xB00B}));
    EXPECT_EQ(ports_.closeCalls, 2);

    ScriptedPortLayer secondaryOnly;
    LinkLibrary link(secondaryOnly, LatchRuntimeNames{}, nullptr);
    secondaryOnly.Attach(kSecondaryId, 9).onWrite = [&](ScriptedPort&) {
        secondaryOnly.Arrive(9, Kind2Frame(SerialReplyBody("00C0FFEE")));
    };
    uint32_t serial = 0;
    EXPECT_EQ(link.GetSerial(&serial, 1, kProduct, 1), 1);
    EXPECT_EQ(serial, 0xC0FFEEu);
}

TEST_F(LinkApiTest, NeverReportsMoreUnitsThanTheArrayHolds) {
    AttachUnitWithSerial(1, "00000001");
    AttachUnitWithSerial(2, "00000002");
    uint32_t serials[2] = {0, 0xFFFFFFFF};
    EXPECT_EQ(link_.GetSerial(serials, 1, kProduct, 1), 1);
    EXPECT_EQ(serials[0], 1u);
    EXPECT_EQ(serials[1], 0xFFFFFFFFu);
}

TEST_F(LinkApiTest, RejectsSerialRepliesThatFailTheirChecks) {
    std::vector<uint8_t> badCheck = Kind2Frame(SerialReplyBody("12345678"));
    badCheck.back() ^= 1;
    const std::vector<std::vector<uint8_t>> replies{
        badCheck,
        Kind2Frame(SerialReplyBody("12345678", "RUINF0001")),
        Kind2Frame(SerialReplyBody("1234567G")),
        Kind2Frame(SerialReplyBody("1234567")),
        {'T', '1', 1, 'x', 'y'},
        {'T', '2', 0, 0, 0, 0},
    };
    for (const auto& reply : replies) {
        ScriptedPortLayer ports;
        LinkLibrary link(ports, LatchRuntimeNames{}, nullptr);
        ports.Attach(kPrimaryId, 1).onWrite = [&](ScriptedPort&) { ports.Arrive(1, reply); };
        uint32_t serial = 0;
        EXPECT_EQ(link.GetSerial(&serial, 1, kProduct, 1), 0);
        EXPECT_EQ(ports.Port(1).open, false);
    }
}

TEST_F(LinkApiTest, AUnitHeldOpenByAConnectionIsStillReported) {
    AttachUnitWithSerial(4, "0000ABCD");
    ASSERT_EQ(Serials(), (std::vector<uint32_t>{0xABCD}));
    ASSERT_EQ(link_.OpenUSBComm(0xABCD), 0);

    const int opensBefore = ports_.Port(4).opens;
    EXPECT_EQ(Serials(), (std::vector<uint32_t>{0xABCD}));
    EXPECT_EQ(ports_.Port(4).opens - opensBefore, 11);  // one open and ten retries

    uint8_t status[256] = {};
    EXPECT_EQ(link_.GetConnectNum(status, 256, kProduct, 1), 1);
    EXPECT_EQ(status[3], 1);

    // Once closed, a port busy for another reason names no unit of ours.
    ASSERT_EQ(link_.CloseComm(0xABCD), 0);
    ports_.Port(4).open = true;
    EXPECT_TRUE(Serials().empty());
}

TEST_F(LinkApiTest, CarriesAFrameThereAndBack) {
    AttachUnitWithSerial(2, "00001234");
    ASSERT_EQ(Serials(), (std::vector<uint32_t>{0x1234}));
    const auto command = Kind2Frame("EIADJ:ACT=");
    commandReply_ = Kind2Frame("EIADJ:STATUS=ok");

    ASSERT_EQ(link_.OpenUSBComm(0x1234), 0);
    EXPECT_EQ(link_.ClearCommBuf(0x1234, 1), 0);
    EXPECT_EQ(link_.ClearCommBuf(0x1234, 0), 0);
    ASSERT_EQ(link_.SendComm(0x1234, command.data(), static_cast<int>(command.size())), 0);
    EXPECT_EQ(lastCommand_, command);
    std::vector<uint8_t> reply(1024, 0);
    ASSERT_EQ(link_.RecvComm(0x1234, reply.data(), 1024, 0),
              static_cast<int>(commandReply_.size()));
    reply.resize(commandReply_.size());
    EXPECT_EQ(reply, commandReply_);
    EXPECT_EQ(link_.CloseComm(0x1234), 0);

    // The serial query empties the input before it asks; then the caller's
    // two clears and the one before the send.
    EXPECT_EQ(ports_.Port(2).flushes, (std::vector<int>{0, 1, 0, 0}));
    EXPECT_FALSE(ports_.Port(2).open);
    const MngEntry* entry = Sb_Get_Mngtable_Num(link_.Table(), 0x1234);
    ASSERT_NE(entry, nullptr);  // the entry outlives the connection
    EXPECT_EQ(entry->TrFlg, kTransportClosed);
    EXPECT_EQ(entry->rcvData, nullptr);
}

TEST_F(LinkApiTest, AShortWriteIsCompletedNotReportedAsSent) {
    AttachUnitWithSerial(2, "00001234").maxWriteChunk = 5;
    ASSERT_EQ(Serials(), (std::vector<uint32_t>{0x1234}));  // the query went out in pieces
    const auto command = Kind2Frame("EISET:ACT=1");
    ASSERT_EQ(link_.OpenUSBComm(0x1234), 0);
    ASSERT_EQ(link_.SendComm(0x1234, command.data(), static_cast<int>(command.size())), 0);
    EXPECT_EQ(lastCommand_, command);
}

TEST_F(LinkApiTest, UnknownSerialsAndKeysAreRefused) {
    EXPECT_EQ(link_.OpenUSBComm(0x55AA55AA), kUsbOpenFailed);
    uint8_t byte = 0;
    for (uint32_t key : {0x1u, 0x55AA55AAu}) {  // never opened / opened but failed
        EXPECT_EQ(link_.SendComm(key, &byte, 1), kUnknownKey);
        EXPECT_EQ(link_.RecvComm(key, &byte, 1, 0), kUnknownKey);
        EXPECT_EQ(link_.ClearCommBuf(key, 0), kUnknownKey);
        EXPECT_EQ(link_.CloseComm(key), kUnknownKey);
    }
}

TEST_F(LinkApiTest, BadArgumentsAndFailingPortsGiveTheirCodes) {
    AttachUnitWithSerial(1, "00000042");
    ASSERT_EQ(Serials().size(), 1u);
    ASSERT_EQ(link_.OpenUSBComm(0x42), 0);
    uint8_t byte = 0;
    EXPECT_EQ(link_.RecvComm(0x42, nullptr, 16, 0), kArgumentError);
    EXPECT_EQ(link_.RecvComm(0x42, &byte, -1, 0), kArgumentError);
    EXPECT_EQ(link_.SendComm(0x42, nullptr, 4), kArgumentError);

    ports_.Port(1).flushResult = 0;
    EXPECT_EQ(link_.SendComm(0x42, &byte, 1), kSendFailed);
    ports_.Port(1).flushResult = 1;
    ports_.Port(1).writeResult = -6;
    EXPECT_EQ(link_.SendComm(0x42, &byte, 1), kSendFailed);
    EXPECT_EQ(link_.CloseComm(0x42), 0);
    EXPECT_EQ(link_.CloseComm(0x42), kUnknownKey);  // closed already

    // A port that stays busy, or cannot be opened, fails the open with -22.
    ports_.Port(1).openResults.assign(11, kPortBusy);
    EXPECT_EQ(link_.OpenUSBComm(0x42), kUsbOpenFailed);
    ports_.Port(1).openResults.assign(10, kPortBusy);
    EXPECT_EQ(link_.OpenUSBComm(0x42), 0);
    EXPECT_EQ(link_.CloseComm(0x42), 0);
    ports_.Port(1).openResults.assign(1, kPortCannotOpen);
    EXPECT_EQ(link_.OpenUSBComm(0x42), kUsbOpenFailed);
}

TEST_F(LinkApiTest, AReceiveWithTimeOutZeroWaitsTwoSeconds) {
    AttachUnitWithSerial(1, "00000042");
    ASSERT_EQ(Serials().size(), 1u);
    ASSERT_EQ(link_.OpenUSBComm(0x42), 0);
    uint8_t buffer[64];
    const uint64_t before = clock_.TotalSleptMs();
    EXPECT_EQ(link_.RecvComm(0x42, buffer, 64, 0), kTimeout);
    const uint64_t waited = clock_.TotalSleptMs() - before;
    EXPECT_GE(waited, 2000u);
    EXPECT_LE(waited, 3100u);
}

// The unit answers 5 ms after a write. Both the serial query and a frame's
// reception must take its first byte then, not at the next 20 ms step: the
// only fixed pauses are the open's 10 ms and the 20 ms after each header
// byte but the last.
TEST_F(LinkApiTest, AReplyIsTakenFromItsFirstByteNotAfterAFixedPause) {
    AttachUnitWithSerial(2, "00001234");
    const uint64_t queryStart = clock_.TotalSleptMs();
    ASSERT_EQ(Serials(), (std::vector<uint32_t>{0x1234}));
    EXPECT_LE(clock_.TotalSleptMs() - queryStart, 10u + 5u + 3 * 20u + 4u);

    commandReply_ = Kind2Frame("EIADJ:STATUS=ok");
    const auto command = Kind2Frame("EIADJ:ACT=");
    ASSERT_EQ(link_.OpenUSBComm(0x1234), 0);
    ASSERT_EQ(link_.SendComm(0x1234, command.data(), static_cast<int>(command.size())), 0);
    std::vector<uint8_t> reply(1024, 0);
    const uint64_t receiveStart = clock_.TotalSleptMs();
    ASSERT_EQ(link_.RecvComm(0x1234, reply.data(), 1024, 0),
              static_cast<int>(commandReply_.size()));
    EXPECT_LE(clock_.TotalSleptMs() - receiveStart, 5u + 3 * 20u + 5u);
    EXPECT_EQ(link_.CloseComm(0x1234), 0);
}

}  // namespace
}  // namespace tb::link
