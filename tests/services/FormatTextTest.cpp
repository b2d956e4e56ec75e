#include <gtest/gtest.h>

#include <cstdint>

#include "services/FormatText.h"

namespace tb::services {
namespace {

TEST(FormatText, FillsTheFormatsOfTheStringTable) {
    EXPECT_EQ(FormatText("%08X", {uint32_t{0x12ab}}), "000012AB");
    EXPECT_EQ(FormatText("%08X", {uint32_t{0xFFFFFFFF}}), "FFFFFFFF");
    EXPECT_EQ(FormatText("Serial No.:%s  Error Code:%d  \n", {"00ABCDEF", -9}),
              "Serial No.:00ABCDEF  Error Code:-9  \n");
    EXPECT_EQ(FormatText("y = %.3lfx %+.3lf", {1.0, -0.35}), "y = 1.000x -0.350");
    EXPECT_EQ(FormatText("y = %.3lfx %+.1lf", {1.0, 0.25}), "y = 1.000x +0.2");
    EXPECT_EQ(FormatText("y = %.3lfx %+d", {1.5, 120}), "y = 1.500x +120");
    EXPECT_EQ(FormatText("%s, %c\r\n", {"x", 'F'}), "x, F\r\n");
    EXPECT_EQ(FormatText("100%% %5.1f|%-4d|", {2.25, 7}), "100%   2.2|7   |");
}

TEST(FormatText, ANegative32BitCodeAsHexWrapsAt32Bits) {
    EXPECT_EQ(FormatText("%X", {int32_t{-1}}), "FFFFFFFF");
    EXPECT_EQ(FormatText("%u", {int32_t{-9}}), "4294967287");
}

TEST(FormatText, MismatchedArgumentsAreConvertedByValue) {
    EXPECT_EQ(FormatText("%s", {42}), "42");
    EXPECT_EQ(FormatText("%d", {-2.9}), "-2");
    EXPECT_EQ(FormatText("%.1f", {3}), "3.0");
    EXPECT_EQ(FormatText("%d|%x", {"text", "more"}), "text|more");
    EXPECT_EQ(FormatText("%d", {1e300}), "9223372036854775807");
}

TEST(FormatText, MissingArgumentsAndBadDirectivesStayAsWritten) {
    EXPECT_EQ(FormatText("%d and %s", {5}), "5 and %s");
    EXPECT_EQ(FormatText("%n%p%*d", {1, 2}), "%n%p%*d");
    EXPECT_EQ(FormatText("%99999d", {1}), "%99999d");
    EXPECT_EQ(FormatText("%200d", {1}), "%200d");
    EXPECT_EQ(FormatText("trailing %", {1}), "trailing %");
    EXPECT_EQ(FormatText("%c", {0}), "");
}

TEST(FormatText, WidthIsCappedSoOutputStaysBounded) {
    std::string wide = FormatText("%128.128f", {-1.7e308});
    EXPECT_GT(wide.size(), 300u);
    EXPECT_LT(wide.size(), 600u);
    EXPECT_EQ(wide.front(), '-');
}

}  // namespace
}  // namespace tb::services
