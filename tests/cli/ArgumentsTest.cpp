// The values the command line reads from its options and batch rows.
#include <gtest/gtest.h>

#include "cli/Arguments.h"

namespace tb::cli {
namespace {

TEST(Arguments, SerialsAreHexadecimalAndComNumbersOneTo256) {
    EXPECT_EQ(ParseSerial("00A1B2C3"), 0x00A1B2C3u);
    EXPECT_EQ(ParseSerial("0xa1b2c3"), 0x00A1B2C3u);
    for (const char* bad : {"", "0x", "123456789", "-1", "+1", "12G4", "00A1 B2"})
        EXPECT_FALSE(ParseSerial(bad)) << bad;

    EXPECT_EQ(ParseComNumber("COM7"), 7);
    EXPECT_EQ(ParseComNumber("256"), 256);
    for (const char* bad : {"", "COM", "0", "257", "-3", "COM+3", "3x"})
        EXPECT_FALSE(ParseComNumber(bad)) << bad;
}

TEST(Arguments, ABatchSerialColumnNamesASerialAPortOrNothing) {
    EXPECT_EQ(ParseLoggerName("")->serial, std::nullopt);
    EXPECT_EQ(ParseLoggerName("")->com, std::nullopt);
    EXPECT_EQ(ParseLoggerName("com4")->com, 4);
    EXPECT_EQ(ParseLoggerName("00820001")->serial, 0x00820001u);
    EXPECT_FALSE(ParseLoggerName("COM0"));
    EXPECT_FALSE(ParseLoggerName("serial"));
}

TEST(Arguments, PointsSplitAtTheirOneColonAndKeepTheReadingsAsTyped) {
    const auto point = ParsePoint("-.5: 25");
    ASSERT_TRUE(point);
    EXPECT_EQ(point->before, "-.5");
    EXPECT_EQ(point->after, " 25");
    for (const char* bad : {"", "25", ":25", "25:", "1:2:3"}) EXPECT_FALSE(ParsePoint(bad)) << bad;

    EXPECT_EQ(ParseChannel("2"), 2);
    for (const char* bad : {"0", "-1", "one", ""}) EXPECT_FALSE(ParseChannel(bad)) << bad;
    EXPECT_EQ(ParseUnit("f"), 1);
    EXPECT_FALSE(ParseUnit("K"));
}

}  // namespace
}  // namespace tb::cli
