#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "client/AdjustmentBlock.h"
#include "client/CorrectionCodes.h"

namespace tb::client {
namespace {

TEST(CorrectionCodes, SlopeRoundsHalfAwayAtThreeDecimals) {
    EXPECT_EQ(EncodeSlopeCode(1.0, 1000), 1000);
    EXPECT_EQ(EncodeSlopeCode(1.2347, 1000), 1235);
    EXPECT_EQ(EncodeSlopeCode(0.0005, 1000), 1);
    EXPECT_EQ(EncodeSlopeCode(1.00049999, 1000), 1000);
    EXPECT_EQ(EncodeSlopeCode(1.0, 16384), 16384);
    EXPECT_EQ(EncodeSlopeCode(2.0, 16384), 32768);
    EXPECT_EQ(EncodeSlopeCode(1.001, 16384), 16400);  // 16400.384 truncated
}

TEST(CorrectionCodes, ScaledCodesAreExactWhereFloatingPointFallsShort) {
    // 1.001 * 1000 is 1000.9999999999999 in doubles; the code must still be 1001.
    EXPECT_EQ(EncodeSlopeCode(1.001, 1000), 1001);
    EXPECT_EQ(EncodeSlopeCode(2.046, 1000), 2046);
    EXPECT_EQ(EncodeOffsetCode(-1.003, 10000, kOffsetDecimals), -10030);
}

TEST(CorrectionCodes, OffsetRounding) {
    EXPECT_EQ(EncodeOffsetCode(-0.25, 1000, kOffsetDecimals), -250);
    EXPECT_EQ(EncodeOffsetCode(-0.0004, 1000, kOffsetDecimals), 0);
    EXPECT_EQ(EncodeOffsetCode(0.04, 10, OffsetDecimalsForKind(5)), 0);
    EXPECT_EQ(EncodeOffsetCode(0.05, 10, OffsetDecimalsForKind(5)), 1);
    EXPECT_EQ(EncodeOffsetCode(-12.36, 10, OffsetDecimalsForKind(5)), -124);
    EXPECT_EQ(OffsetDecimalsForKind(2), 3);
    EXPECT_EQ(EncodeOffsetCode(3.0, 10000, kOffsetDecimals), 30000);
}

TEST(CorrectionCodes, ValuesOutsideTheirCodeAreRefused) {
    EXPECT_FALSE(EncodeSlopeCode(-0.5, 1000));
    EXPECT_FALSE(EncodeSlopeCode(4.0, 16384));
    EXPECT_FALSE(EncodeOffsetCode(40.0, 1000, kOffsetDecimals));
    EXPECT_FALSE(EncodeSlopeCode(std::numeric_limits<double>::quiet_NaN(), 1000));
    EXPECT_FALSE(EncodeOffsetCode(std::numeric_limits<double>::infinity(), 10, 1));
    EXPECT_FALSE(EncodeSlopeCode(1e300, 1000));
}

TEST(AdjustmentBlock, OneAndTwoChannelLayout) {
    const std::vector<ChannelCorrection> one{{1.0, -0.25}};
    const auto block1 = EncodeAdjustmentBlock(one, {1000, 1000}, 0);
    ASSERT_TRUE(block1);
    AdjustmentBlock expected{};
    expected[0] = 0xE8;
    expected[1] = 0x03;
    expected[2] = 0x06;
    expected[3] = 0xFF;
    EXPECT_EQ(*block1, expected);

    const std::vector<ChannelCorrection> two{{1.0, -0.25}, {0.5, 1.5}};
    const auto block2 = EncodeAdjustmentBlock(two, {1000, 1000}, 1);
    ASSERT_TRUE(block2);
    expected[4] = 0xF4;  // 500
    expected[5] = 0x01;
    expected[6] = 0xDC;  // 1500
    expected[7] = 0x05;
    EXPECT_EQ(*block2, expected);

    const auto decoded = DecodeAdjustmentChannel(*block2, 1, {1000, 1000});
    EXPECT_DOUBLE_EQ(decoded.slope, 0.5);
    EXPECT_DOUBLE_EQ(decoded.offset, 1.5);
}

TEST(AdjustmentBlock, KindFiveKeepsOneOffsetDecimal) {
    const std::vector<ChannelCorrection> channel{{1.0, 0.04}};
    const auto coarse = EncodeAdjustmentBlock(channel, {16384, 10}, 5);
    const auto fine =
        EncodeAdjustmentBlock(std::vector<ChannelCorrection>{{1.0, 0.26}}, {16384, 1000}, 2);
    ASSERT_TRUE(coarse && fine);
    EXPECT_EQ((*coarse)[2], 0);
    EXPECT_EQ((*fine)[2], 0x04);  // 260
    EXPECT_EQ((*fine)[3], 0x01);
}

TEST(AdjustmentBlock, DecodesSignedOffsetAndUnsignedSlope) {
    AdjustmentBlock block{};
    block[0] = 0x01;  // 0x4001 = 16385
    block[1] = 0x40;
    block[2] = 0x18;  // -1000
    block[3] = 0xFC;
    const auto channel = DecodeAdjustmentChannel(block, 0, {16384, 1000});
    EXPECT_DOUBLE_EQ(channel.slope, 16385.0 / 16384.0);
    EXPECT_DOUBLE_EQ(channel.offset, -1.0);
}

TEST(AdjustmentBlock, RefusesMissingOrUnencodableChannels) {
    EXPECT_FALSE(EncodeAdjustmentBlock({}, {1000, 1000}, 0));
    const std::vector<ChannelCorrection> three(3);
    EXPECT_FALSE(EncodeAdjustmentBlock(three, {1000, 1000}, 0));
    const std::vector<ChannelCorrection> bad{{1.0, 0.0}, {1.0, 99.0}};
    EXPECT_FALSE(EncodeAdjustmentBlock(bad, {1000, 1000}, 1));
}

}  // namespace
}  // namespace tb::client
