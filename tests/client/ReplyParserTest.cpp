#include <gtest/gtest.h>

#include "client/ReplyParser.h"
#include "client/ResultCodes.h"
#include "tests/client/ReplyBytes.h"

namespace tb::client {
namespace {

using test::ReplyBytes;

std::vector<uint8_t> Block(std::size_t size, uint8_t first) {
    std::vector<uint8_t> block(size);
    for (std::size_t i = 0; i < size; ++i) block[i] = static_cast<uint8_t>(first + i);
    return block;
}

TEST(ReplyParser, AcceptsStatusAndDataInAnyOrder) {
    const auto frame =
        ReplyBytes("EIADJ").Field("DATA", Block(64, 7)).Field("STATUS", "12 34-567").Frame();
    const auto reply = ParseReply(frame, "EIADJ", true);
    EXPECT_EQ(reply.code, kResultOk);
    EXPECT_EQ(reply.status1, 12);
    EXPECT_EQ(reply.status2, -567);  // from offset 5: "-567"
    EXPECT_EQ(std::vector<uint8_t>(reply.data.begin(), reply.data.end()), Block(64, 7));
}

TEST(ReplyParser, BadFramesGiveForty) {
    const auto good = ReplyBytes("EIADJ").Field("STATUS", "000000").Frame();
    ASSERT_EQ(ParseReply(good, "EIADJ", false).code, kResultOk);
    const std::size_t checkAt = good.size() - 1;
    const std::vector<std::pair<std::size_t, uint8_t>> damages{
        {0, 'U'}, {1, '1'}, {2, static_cast<uint8_t>(good[2] + 1)}, {checkAt, 0xEE}};
    for (const auto& [at, value] : damages) {
        auto frame = good;
        frame.at(at) = value;
        EXPECT_EQ(ParseReply(frame, "EIADJ", false).code, kResultBadFrame) << "byte " << at;
    }
    const std::span<const uint8_t> whole(good);
    EXPECT_EQ(ParseReply(whole.first(good.size() - 1), "EIADJ", false).code, kResultBadFrame);
    EXPECT_EQ(ParseReply(whole.first(3), "EIADJ", false).code, kResultBadFrame);
}

TEST(ReplyParser, BytesAfterTheCheckAreIgnored) {
    auto frame = ReplyBytes("EISET").Field("STATUS", "000000").Frame();
    frame.insert(frame.end(), {0xAA, 0xBB});
    EXPECT_EQ(ParseReply(frame, "EISET", false).code, kResultOk);
}

TEST(ReplyParser, WordChecks) {
    EXPECT_EQ(ParseReply(ReplyBytes::FrameOf({}), "EIADJ", false).code, kResultNoColon);
    const std::vector<uint8_t> noColon{'E', 'I', 'A', 'D', 'J'};
    EXPECT_EQ(ParseReply(ReplyBytes::FrameOf(noColon), "EIADJ", false).code, kResultNoColon);
    const auto other = ReplyBytes("EISET").Field("STATUS", "000000").Frame();
    EXPECT_EQ(ParseReply(other, "EIADJ", false).code, kResultWrongWord);
    const auto prefix = ReplyBytes("EIAD").Field("STATUS", "000000").Frame();
    EXPECT_EQ(ParseReply(prefix, "EIADJ", false).code, kResultWrongWord);
}

TEST(ReplyParser, MissingFields) {
    EXPECT_EQ(ParseReply(ReplyBytes("EIADJ").Frame(), "EIADJ", true).code, kResultNoStatus);
    const auto statusOnly = ReplyBytes("EIADJ").Field("STATUS", "000000").Frame();
    EXPECT_EQ(ParseReply(statusOnly, "EIADJ", true).code, kResultNoData);
    EXPECT_EQ(ParseReply(statusOnly, "EIADJ", false).code, kResultOk);
    // Keys compare exactly.
    const auto lower = ReplyBytes("EIADJ").Field("status", "000000").Frame();
    EXPECT_EQ(ParseReply(lower, "EIADJ", false).code, kResultNoStatus);
}

TEST(ReplyParser, FieldRunningPastTheBodyIsMissing) {
    // STATUS is complete, DATA claims 64 bytes but only 3 follow.
    const auto frame =
        ReplyBytes("EIADJ").Field("STATUS", "000000").Text("DATA=").Raw({64, 0, 1, 2, 3}).Frame();
    EXPECT_EQ(ParseReply(frame, "EIADJ", true).code, kResultNoData);
    // A length cut short after the equals sign.
    const auto cut = ReplyBytes("EIADJ").Text("STATUS=").Raw({6}).Frame();
    EXPECT_EQ(ParseReply(cut, "EIADJ", false).code, kResultNoStatus);
    // A long field in front hides the STATUS behind it.
    const auto hiding =
        ReplyBytes("EIADJ").Text("X=").Raw({200, 0}).Field("STATUS", "000000").Frame();
    EXPECT_EQ(ParseReply(hiding, "EIADJ", false).code, kResultNoStatus);
}

TEST(ReplyParser, ZeroLengthDataIsPresentAndEmpty) {
    const auto frame =
        ReplyBytes("EISOH").Field("DATA", std::vector<uint8_t>{}).Field("STATUS", "1 2").Frame();
    const auto reply = ParseReply(frame, "EISOH", true);
    EXPECT_EQ(reply.code, kResultOk);
    EXPECT_TRUE(reply.data.empty());
    EXPECT_EQ(reply.status1, 1);
    EXPECT_EQ(reply.status2, 0);  // fewer than six characters: no second integer
}

TEST(ReplyParser, StatusIntegers) {
    auto parse = [](std::string_view text) {
        return ParseLeadingInteger(
            std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    };
    EXPECT_EQ(parse("  -42x"), -42);
    EXPECT_EQ(parse("+7"), 7);
    EXPECT_EQ(parse("EIADJ"), 0);
    EXPECT_EQ(parse(""), 0);
    EXPECT_EQ(parse("99999999999999"), 2147483647);
    EXPECT_EQ(parse("-99999999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace tb::client
