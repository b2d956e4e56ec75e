// Both sides of the login dialogue's text handling.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "link/lan/LoginDialogue.h"
#include "sim/lan/LoginLine.h"

namespace tb::link::lan {
namespace {

ReplyMatch Feed(ReplyReader& reader, const std::string& bytes) {
    auto space = reader.Space();
    const size_t count = std::min(bytes.size(), space.size());
    std::memcpy(space.data(), bytes.data(), count);
    return reader.Add(count);
}

TEST(ReplyReader, DecidesAsSoonAsTheFirstBytesTell) {
    ReplyReader prompt(kLoginPrompt);
    EXPECT_EQ(Feed(prompt, "lo"), ReplyMatch::NeedMore) << "a prompt split over two reads";
    EXPECT_EQ(Feed(prompt, "gin: "), ReplyMatch::Matches);

    ReplyReader refused(kLoginAccepted);
    EXPECT_EQ(Feed(refused, "NG\r\n"), ReplyMatch::Differs);
    ReplyReader early(kLoginAccepted);
    EXPECT_EQ(Feed(early, "X"), ReplyMatch::Differs) << "one wrong byte is enough";
    ReplyReader accepted(kLoginAccepted);
    EXPECT_EQ(Feed(accepted, "OK\r\n"), ReplyMatch::Matches);

    // Sixteen bytes at most are collected; a reader that is full has decided.
    ReplyReader longer("0123456789abcdefXYZ");
    EXPECT_EQ(Feed(longer, "0123456789abcdef"), ReplyMatch::Differs);
    EXPECT_TRUE(longer.Space().empty());
}

TEST(LoginTexts, AreBoundedBeforeTheyAreCopied) {
    char host[kHostCapacity];
    std::memset(host, '#', sizeof host);
    EXPECT_TRUE(StoreHost(std::string(127, 'h').c_str(), host));
    EXPECT_EQ(std::string(host), std::string(127, 'h'));
    EXPECT_FALSE(StoreHost(std::string(128, 'x').c_str(), host));
    EXPECT_FALSE(StoreHost(nullptr, host));
    EXPECT_EQ(std::string(host), std::string(127, 'h')) << "a refused text leaves the field";

    char login[kLoginCapacity];
    EXPECT_TRUE(StoreLogin(std::string(64, 'l').c_str(), login));
    EXPECT_EQ(std::string(login), std::string(64, 'l') + "\r");
    EXPECT_TRUE(StoreLogin("", login));
    EXPECT_EQ(std::string(login), "\r");
    EXPECT_FALSE(StoreLogin(std::string(65, 'l').c_str(), login));
}

TEST(SimLoginLine, TakesTheTextUpToItsCarriageReturnAndNoMore) {
    sim::lan::LoginLine line;
    const std::string sent = "kestrune\rT2";
    EXPECT_EQ(line.Add({reinterpret_cast<const uint8_t*>(sent.data()), 3}), 3u);
    EXPECT_EQ(line.state(), sim::lan::LoginLine::State::Collecting);
    EXPECT_EQ(line.Add({reinterpret_cast<const uint8_t*>(sent.data()) + 3, sent.size() - 3}), 6u)
        << "the bytes after the carriage return belong to the link frames";
    EXPECT_EQ(line.state(), sim::lan::LoginLine::State::Complete);
    EXPECT_EQ(line.text(), "kestrune");

    sim::lan::LoginLine tooLong;
    const std::string flood(100, 'a');
    tooLong.Add({reinterpret_cast<const uint8_t*>(flood.data()), flood.size()});
    EXPECT_EQ(tooLong.state(), sim::lan::LoginLine::State::TooLong);
    EXPECT_EQ(tooLong.text().size(), sim::lan::kMaxLoginText);
}

}  // namespace
}  // namespace tb::link::lan
