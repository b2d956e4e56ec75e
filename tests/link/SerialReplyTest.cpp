// The check of a serial-query reply: the byte sum, the status item and the serial item.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/LinkFrame.h"
#include "link/SerialReply.h"
#include "platform/ByteOrder.h"

namespace tb::link {
namespace {

std::optional<uint32_t> Check(const std::string& body) {
    std::vector<uint8_t> data(body.begin(), body.end());
    return CheckSerialReply(data, bytes::ByteSum16(data));
}

std::string Item(const std::string& key, const std::string& value) {
    return key + static_cast<char>(value.size()) + '\0' + value;
}

TEST(SerialReplyTest, TakesTheSerialFromAGoodReplyWhereverItsItemsStand) {
    EXPECT_EQ(Check("RUINF:" + Item("STATUS=", "RUINF0000") + Item("SER=", "89abCDEF")),
              0x89ABCDEFu);
    EXPECT_EQ(Check("RUINF:" + Item("SER=", "00000010") + Item("X=", "") +
                    Item("STATUS=", "RUINF1234") + Item("STATUS=", "RUINF0000")),
              0x10u);
}

TEST(SerialReplyTest, RejectsAWrongStatusSerialOrCheck) {
    const std::string good = "RUINF:" + Item("STATUS=", "RUINF0000") + Item("SER=", "12345678");
    std::vector<uint8_t> data(good.begin(), good.end());
    EXPECT_FALSE(CheckSerialReply(data, static_cast<uint16_t>(bytes::ByteSum16(data) + 1)));
    EXPECT_FALSE(Check("RUINF:" + Item("STATUS=", "RUINF0001") + Item("SER=", "12345678")));
    EXPECT_FALSE(Check("RUINF:" + Item("STATUS=", "RUIN0000") + Item("SER=", "12345678")));
    EXPECT_FALSE(Check("RUINF:" + Item("STATUS=", "RUINF0000") + Item("SER=", "1234567x")));
    EXPECT_FALSE(Check("RUINF:" + Item("STATUS=", "RUINF0000") + Item("SER=", "123456789")));
    EXPECT_FALSE(Check("RUINF:" + Item("STATUS=", "RUINF0000")));
    // Items whose values would run past the end are not read.
    EXPECT_FALSE(Check("RUINF:" + Item("STATUS=", "RUINF0000") + "SER=\x08"));
    EXPECT_FALSE(Check("RUINF:STATUS=\x09"));
    EXPECT_FALSE(Check(""));
}

}  // namespace
}  // namespace tb::link
