#include <gtest/gtest.h>

#include <vector>

#include "client/Lgr890Reply.h"
#include "client/SohFrame.h"

namespace tb::client {
namespace {

SohFrame Reply(uint8_t letter, uint8_t answer, std::array<uint8_t, 4> data) {
    SohFrame frame{0x01, letter, answer, 4, 0, data[0], data[1], data[2], data[3], 0, 0};
    unsigned sum = 0;
    for (int i = 0; i < 9; ++i) sum += frame[i];
    frame[9] = static_cast<uint8_t>(sum & 0xFF);
    frame[10] = static_cast<uint8_t>(sum >> 8);
    return frame;
}

TEST(SohFrame, FixedRequests) {
    EXPECT_EQ(MakeReadCorrectionRequest(),
              (SohFrame{0x01, 0x6D, 0x00, 0x04, 0x00, 0, 0, 0, 0, 0x72, 0x00}));
    EXPECT_EQ(MakeReadBlockRequest(),
              (SohFrame{0x01, 0x59, 0x00, 0x04, 0x00, 0, 0, 0, 0, 0x5E, 0x00}));
}

TEST(SohFrame, WriteRequestsPutOffsetBeforeSlope) {
    const auto n = MakeWriteCorrectionRequest(-250, 1000);
    EXPECT_EQ(n, (SohFrame{0x01, 0x6E, 0, 4, 0, 0x06, 0xFF, 0xE8, 0x03, 0x63, 0x02}));
    const auto v = MakeWriteByteRequest(3, 0xE8);
    EXPECT_EQ(v, (SohFrame{0x01, 0x56, 0, 4, 0, 0x03, 0x00, 0xE8, 0x00, 0x46, 0x01}));
}

TEST(SohFrame, ReadReplyCheckOrder) {
    EXPECT_EQ(CheckReadCorrectionReply(Reply(0x6D, 0x06, {1, 2, 3, 4})), 0);
    EXPECT_EQ(CheckReadCorrectionReply(Reply(0x6E, 0x06, {})), -2);
    EXPECT_EQ(CheckReadCorrectionReply(Reply(0x6E, 0x15, {})), -2);  // letter first
    EXPECT_EQ(CheckReadCorrectionReply(Reply(0x6D, 0x15, {})), -3);
    EXPECT_EQ(CheckReadCorrectionReply(Reply(0x6D, 0x13, {})), -4);
    EXPECT_EQ(CheckReadCorrectionReply(Reply(0x6D, 0x0F, {})), -5);
    EXPECT_EQ(CheckReadCorrectionReply(Reply(0x6D, 0x00, {})), -6);
    auto badLength = Reply(0x6D, 0x06, {});
    badLength[3] = 5;
    EXPECT_EQ(CheckReadCorrectionReply(badLength), -7);
    auto badCheck = Reply(0x6D, 0x06, {});
    badCheck[10] ^= 0x80;
    EXPECT_EQ(CheckReadCorrectionReply(badCheck), -8);
    EXPECT_EQ(CheckReadCorrectionReply(std::span(badCheck).first(10)), -1);
}

TEST(SohFrame, DecodesOffsetThenSlope) {
    const auto codes = DecodePassThroughCodes(Reply(0x6D, 0x06, {0x9C, 0xFF, 0xE8, 0x03}));
    EXPECT_EQ(codes.offset, -100);
    EXPECT_EQ(codes.slope, 1000);
}

std::vector<uint8_t> CableReply(std::size_t size, uint8_t answer) {
    std::vector<uint8_t> reply(size);
    for (std::size_t i = 0; i < size; ++i) reply[i] = static_cast<uint8_t>(0x20 + i);
    reply[0] = 0x01;
    if (size > 2) reply[2] = answer;
    if (size == kLgr890ReplySize) {
        unsigned sum = 0;
        for (std::size_t i = 0; i < kLgr890CheckAt; ++i) sum += reply[i];
        reply[69] = static_cast<uint8_t>(sum & 0xFF);
        reply[70] = static_cast<uint8_t>(sum >> 8);
    }
    return reply;
}

// The same reply with its sum damaged in the low or the high byte.
std::vector<std::vector<uint8_t>> WithBadSums(std::vector<uint8_t> reply) {
    auto low = reply, high = reply;
    low[69] ^= 0x01;
    high[70] ^= 0x80;
    return {low, high};
}

TEST(Lgr890Reply, OnlyACompleteAcceptedReplyGivesTheBlock) {
    const auto full = CableReply(71, 0x06);
    const auto block = BlockFromLgr890Reply(full);
    ASSERT_TRUE(block);
    EXPECT_EQ((*block)[0], 0x25);
    EXPECT_EQ((*block)[63], 0x20 + 68);

    EXPECT_FALSE(BlockFromLgr890Reply(CableReply(70, 0x06)));
    EXPECT_FALSE(BlockFromLgr890Reply(CableReply(71, 0x15)));
    EXPECT_FALSE(BlockFromLgr890Reply(CableReply(5, 0x06)));
    auto badStart = full;
    badStart[0] = 0x02;
    EXPECT_FALSE(BlockFromLgr890Reply(badStart));
    for (const auto& bad : WithBadSums(full)) EXPECT_FALSE(BlockFromLgr890Reply(bad));
}

TEST(Lgr890Reply, WriteConfirmationNeedsTheEchoedBytesInAnIntactReply) {
    const std::array<uint8_t, 4> written{0x25, 0x26, 0x27, 0x28};
    EXPECT_TRUE(Lgr890ReplyConfirmsWrite(CableReply(71, 0x06), written));
    // The echo alone proves nothing without the sum that covers it.
    for (const auto& bad : WithBadSums(CableReply(71, 0x06)))
        EXPECT_FALSE(Lgr890ReplyConfirmsWrite(bad, written));
    EXPECT_FALSE(Lgr890ReplyConfirmsWrite(CableReply(70, 0x06), written));
    EXPECT_FALSE(Lgr890ReplyConfirmsWrite(CableReply(9, 0x06), written));
    EXPECT_FALSE(Lgr890ReplyConfirmsWrite(CableReply(3, 0x06), written));
    EXPECT_FALSE(Lgr890ReplyConfirmsWrite(CableReply(71, 0x13), written));
    const std::array<uint8_t, 4> other{0x25, 0x26, 0x27, 0x00};
    EXPECT_FALSE(Lgr890ReplyConfirmsWrite(CableReply(71, 0x06), other));
}

}  // namespace
}  // namespace tb::client
