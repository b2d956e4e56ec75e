#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "platform/usbserial/DeviceMap.h"

namespace tb::usbserial {
namespace {

TEST(DeviceMapTest, ReadsWellFormedLinesWithCommentsAndBlanks) {
    auto map = ParseDeviceMap(
        "# header\n"
        "\n"
        "1 /dev/pts/3 2f5c-8001 0x08\r\n"
        "  \t 17\t/dev/pts/4\t2F5C-800A  255  \n"
        "256 /dev/ttyX 0000-ffff 0");
    ASSERT_EQ(map.entries.size(), 3u);
    EXPECT_EQ(map.rejectedLines, 0);
    EXPECT_EQ(map.entries[0].comNumber, 1);
    EXPECT_EQ(map.entries[0].path, "/dev/pts/3");
    EXPECT_EQ(map.entries[0].id, (UsbId{0x2f5c, 0x8001}));
    EXPECT_EQ(map.entries[0].latch, 0x08);
    EXPECT_EQ(map.entries[1].comNumber, 17);
    EXPECT_EQ(map.entries[1].id, (UsbId{0x2f5c, 0x800a}));
    EXPECT_EQ(map.entries[1].latch, 255);
    EXPECT_EQ(map.entries[2].comNumber, 256);
    EXPECT_EQ(map.entries[2].latch, 0);
}

TEST(DeviceMapTest, IgnoresMalformedLinesAndKeepsTheRest) {
    auto map = ParseDeviceMap(
        "0 /dev/a 2f5c-8001 0\n"    // number below range
        "257 /dev/a 2f5c-8001 0\n"  // above range
        "-1 /dev/a 2f5c-8001 0\n"
        "0001 /dev/a 2f5c-8001 0\n"  // too many digits
        "2 dev/a 2f5c-8001 0\n"      // relative path
        "3 /dev/a 2f5c8001 0\n"      // no dash
        "4 /dev/a 2f5c-80011 0\n"    // long id
        "5 /dev/a 2g5c-8001 0\n"     // not hexadecimal
        "6 /dev/a 2f5c-8001 256\n"   // latch too large
        "7 /dev/a 2f5c-8001 0x100\n"
        "8 /dev/a 2f5c-8001\n"          // missing field
        "9 /dev/a 2f5c-8001 0 extra\n"  // extra field
        "10 /dev/ok 2f5c-8001 0x0f\n");
    ASSERT_EQ(map.entries.size(), 1u);
    EXPECT_EQ(map.entries[0].comNumber, 10);
    EXPECT_EQ(map.entries[0].latch, 0x0f);
    EXPECT_EQ(map.rejectedLines, 12);
}

TEST(DeviceMapTest, FirstLineOfADuplicateNumberWins) {
    auto map = ParseDeviceMap("5 /dev/first 2f5c-8001 1\n5 /dev/second 2f5c-8002 2\n");
    ASSERT_EQ(map.entries.size(), 1u);
    EXPECT_EQ(map.entries[0].path, "/dev/first");
    EXPECT_EQ(map.rejectedLines, 1);
    EXPECT_EQ(map.Find(5), &map.entries[0]);
    EXPECT_EQ(map.Find(6), nullptr);
}

TEST(DeviceMapTest, RejectsOverlongPathsAndControlCharacters) {
    std::string longPath = "/" + std::string(kMaxDevicePathBytes, 'a');
    std::string text = "1 " + longPath + " 2f5c-8001 0\n";
    text += std::string("2 /dev/a") + '\0' + "b 2f5c-8001 0\n";
    text += "3 /dev/" + std::string(kMaxDevicePathBytes - 5, 'b') + " 2f5c-8001 0\n";
    auto map = ParseDeviceMap(text);
    ASSERT_EQ(map.entries.size(), 1u);
    EXPECT_EQ(map.entries[0].comNumber, 3);
    EXPECT_EQ(map.entries[0].path.size(), kMaxDevicePathBytes);
}

TEST(DeviceMapTest, FileIsReadOnlyUpToTheLimitAndACutLineIsDropped) {
    char path[] = "/tmp/trimbench-map-test-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    // The limit falls inside the second entry's latch "255": cut there, the
    // line would still look valid (latch 25).
    const std::string first = "1 /dev/one 2f5c-8001 8\n";
    const std::string cutPart = "2 /dev/two 2f5c-8001 25";
    std::string filler =
        "# " + std::string(kMaxDeviceMapBytes - first.size() - cutPart.size() - 3, 'x') + "\n";
    const std::string text = first + filler + cutPart + "5\n";
    ASSERT_EQ((first + filler + cutPart).size(), kMaxDeviceMapBytes);
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    auto map = LoadDeviceMapFile(path);
    unlink(path);
    ASSERT_EQ(map.entries.size(), 1u);
    EXPECT_EQ(map.entries[0].comNumber, 1);
    EXPECT_EQ(ParseDeviceMap(text).entries.size(), 1u);
    EXPECT_TRUE(LoadDeviceMapFile("/nonexistent/trimbench.map").entries.empty());
}

TEST(DeviceMapTest, UsbIdTextIsExactlyFourDashFourHexDigits) {
    EXPECT_EQ(ParseUsbId("abcd-EF01"), (UsbId{0xabcd, 0xef01}));
    EXPECT_FALSE(ParseUsbId(""));
    EXPECT_FALSE(ParseUsbId("abcd_ef01"));
    EXPECT_FALSE(ParseUsbId("abc-ef012"));
    EXPECT_FALSE(ParseUsbId("+bcd-ef01"));
}

}  // namespace
}  // namespace tb::usbserial
