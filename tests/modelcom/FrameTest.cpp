// The request frame and the order of the reply checks.
#include <gtest/gtest.h>

#include "modelcom/Frame.h"
#include "modelcom/ResultCodes.h"
#include "tests/modelcom/FakeLoggerPort.h"

namespace tb::modelcom::test {
namespace {

TEST(Frame, RequestCarriesLengthDataAndByteSum) {
    const uint8_t data[] = {0xFF, 0xFF, 0x80};
    EXPECT_EQ(BuildRequest(0x5B, 2, data),
              Hex("01 5B 02 03 00 FF FF 80 DF 02"));  // sum 0x2DF
    EXPECT_EQ(BuildRequest(0x55, 0, {}), Hex("01 55 00 00 00 56 00"));
    std::vector<uint8_t> largest(kMaxRequestData, 0xFF);
    auto frame = BuildRequest(0x5D, 1, largest);
    ASSERT_EQ(frame.size(), kMaxRequestData + 7);  // still fits the 256-byte buffer
    EXPECT_EQ(frame[3], kMaxRequestData);
    std::vector<uint8_t> tooLarge(kMaxRequestData + 1);
    EXPECT_TRUE(BuildRequest(0x5D, 1, tooLarge).empty());
}

struct ReplyCase {
    const char* what;
    std::vector<uint8_t> reply;
    uint8_t command;
    int expected870;
    int expected875;
};

TEST(Frame, ReplyChecksRunInOrderAndStopAtTheFirstFailure) {
    const auto good = WithSum(Hex("01 5C 06 02 00 AA BB"));
    auto badSum = good;
    badSum.back() ^= 0x01;
    const ReplyCase cases[] = {
        {"sound reply", good, 0x5C, 0, 0},
        {"start byte wins over everything", Hex("02 33 15 09 00 00 00"), 0x5C, -6, -6},
        {"echo of another command", WithSum(Hex("01 5D 06 02 00 AA BB")), 0x5C, -7, -7},
        // Refusals come before the length and check tests: the check bytes are garbage.
        {"refused, check wrong", Hex("01 5C 15 02 00 AA BB 00 00"), 0x5C, -8, -8},
        {"refused, too short for its length field", Hex("01 5C 15 40 00"), 0x5C, -8, -8},
        {"recording", Hex("01 5C 09 00 00 00 00"), 0x5C, -9, -9},
        {"status 0x35", WithSum(Hex("01 5C 35 00 00")), 0x5C, -14, -10},
        {"other status", WithSum(Hex("01 5C 07 00 00")), 0x5C, -10, -10},
        {"length field against count", WithSum(Hex("01 5C 06 03 00 AA BB")), 0x5C, -11, -11},
        {"byte sum", badSum, 0x5C, -12, -12},
        // A bulk block's sub-code is its sequence number, never a status.
        {"block numbered 0x15", WithSum(Hex("01 41 15 01 00 77")), 0x41, 0, 0},
        {"nothing received", {}, 0x5C, -5, -5},
        {"cut before the status", Hex("01 5C"), 0x5C, -5, -5},
        {"cut inside the length field", Hex("01 5C 06 02"), 0x5C, -5, -5},
    };
    for (const ReplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CheckReply(c.reply, c.command, kRefused35), c.expected870);
        EXPECT_EQ(CheckReply(c.reply, c.command, kRefusedOther), c.expected875);
    }
}

}  // namespace
}  // namespace tb::modelcom::test
