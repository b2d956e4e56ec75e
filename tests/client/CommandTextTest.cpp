#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "client/CommandText.h"
#include "client/LinkFrame.h"

namespace tb::client {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(CommandText, AdjustReadFrameIsExact) {
    const auto frame = WrapTextFrame(AdjustReadBody());
    std::vector<uint8_t> expected{0x54, 0x32, 0x0D, 0x00};
    const auto body = Bytes("EIADJ:ACT=");
    expected.insert(expected.end(), body.begin(), body.end());
    expected.insert(expected.end(), {0x01, 0x00, '1', 0xDE, 0x02});
    EXPECT_EQ(frame, expected);
}

TEST(CommandText, SettingsReadDiffersOnlyInWord) {
    auto expected = Bytes("EISET:ACT=");
    expected.insert(expected.end(), {0x01, 0x00, '1'});
    EXPECT_EQ(SettingsReadBody(), expected);
}

TEST(CommandText, AdjustWriteCarriesTheWholeBlock) {
    std::array<uint8_t, 64> block{};
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i + 1);
    const auto body = AdjustWriteBody(block);
    ASSERT_TRUE(body);
    ASSERT_EQ(body->size(), 84u);
    auto head = Bytes("EIADJ:ACT=");
    head.insert(head.end(), {0x01, 0x00, '0'});
    const auto data = Bytes("DATA=");
    head.insert(head.end(), data.begin(), data.end());
    head.insert(head.end(), {0x40, 0x00});
    EXPECT_TRUE(std::equal(head.begin(), head.end(), body->begin()));
    EXPECT_TRUE(std::equal(block.begin(), block.end(), body->begin() + 20));
}

TEST(CommandText, PassThroughCarriesTheFrame) {
    std::array<uint8_t, 11> frame{1, 0x6D, 0, 4, 0, 0, 0, 0, 0, 0x72, 0};
    const auto body = PassThroughBody(frame);
    ASSERT_TRUE(body);
    auto expected = Bytes("EISOH:DATA=");
    expected.insert(expected.end(), {0x0B, 0x00});
    expected.insert(expected.end(), frame.begin(), frame.end());
    EXPECT_EQ(*body, expected);
}

TEST(CommandText, BlocksOfTheWrongSizeBuildNoBody) {
    std::vector<uint8_t> shortBlock(63), longFrame(12);
    EXPECT_FALSE(AdjustWriteBody(shortBlock));
    EXPECT_FALSE(PassThroughBody(longFrame));
}

TEST(LinkFrame, ChecksumWrapsAtSixteenBits) {
    std::vector<uint8_t> body(300, 0xFF);  // 76500 = 0x12AD4
    const auto frame = WrapTextFrame(body);
    ASSERT_EQ(frame.size(), 306u);
    EXPECT_EQ(frame[2], 0x2C);
    EXPECT_EQ(frame[3], 0x01);
    EXPECT_EQ(frame[304], 0xD4);
    EXPECT_EQ(frame[305], 0x2A);
    const auto unwrapped = UnwrapTextFrame(frame);
    ASSERT_TRUE(unwrapped);
    EXPECT_EQ(unwrapped->size(), 300u);
}

TEST(LinkFrame, BodyTooLongForTheLengthFieldIsRefused) {
    std::vector<uint8_t> body(0x10000, 'A');
    EXPECT_TRUE(WrapTextFrame(body).empty());
}

}  // namespace
}  // namespace tb::client
