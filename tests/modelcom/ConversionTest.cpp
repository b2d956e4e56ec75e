// Value codes of illuminance, UV and CO2 and the texts shown for them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "modelcom/lgr870/VkLGR870Com.h"
#include "modelcom/lgr875/VkLGR875Com.h"

namespace {

TEST(Normalize, ExponentTestRoundsButTheExactCodeTruncates) {
    EXPECT_EQ(VkLGR870Com_NormalizeIllumiData(12.346), 1234);    // not 1235
    EXPECT_EQ(VkLGR870Com_NormalizeIllumiData(40.955), 0x1800);  // e = 1, mantissa 2048
    EXPECT_EQ(VkLGR870Com_NormalizeIllumiData(80.0), 0x1FA0);
    EXPECT_EQ(VkLGR870Com_NormalizeIllumiData(0.0), 0);
    EXPECT_EQ(VkLGR870Com_NormalizeIllumiData(40.95), 4095);  // largest e = 0 code
    EXPECT_EQ(VkLGR870Com_NormalizeUvData(4.095), 4095);
    EXPECT_EQ(VkLGR870Com_NormalizeUvData(4.0955), 0x1800);
    EXPECT_EQ(VkLGR870Com_NormalizeIntegUvData(4.0955), 0x1800);  // the same function
    EXPECT_EQ(VkLGR870Com_NormalizeIntegIlmData(4095.0), 4095);
    EXPECT_EQ(VkLGR870Com_NormalizeIntegIlmData(8190.0), 0x1FFF);          // 4095 x 2
    EXPECT_EQ(VkLGR870Com_NormalizeIntegIlmData(4095.0 * 32768), 0xFFFF);  // largest code
}

TEST(Normalize, ValuesTheCodeCannotHoldAreArgumentErrors) {
    EXPECT_EQ(VkLGR870Com_NormalizeIllumiData(-0.01), -30);
    EXPECT_EQ(VkLGR870Com_NormalizeIllumiData(NAN), -30);
    EXPECT_EQ(VkLGR870Com_NormalizeIllumiData(INFINITY), -30);
    EXPECT_EQ(VkLGR870Com_NormalizeIntegIlmData(4096.0 * 32768), -30);
}

TEST(Convert, IlluminanceTextsAndKiloTexts) {
    char text[16], kilo[16];
    std::memset(kilo, 0, sizeof kilo);
    double v = VkLGR870Com_ConvertIllumiToData(0x1FA0, text, kilo);
    EXPECT_STREQ(text, "80.00");
    EXPECT_DOUBLE_EQ(v, 80.0 + 1e-9);
    EXPECT_STREQ(kilo, "") << "no kilo text below 10000";

    v = VkLGR870Com_ConvertIllumiToData(0xCBC6, text, kilo);  // 3014 x 2^12 / 100 = 123453.44
    EXPECT_STREQ(text, "123400");
    EXPECT_STREQ(kilo, "123.4");
    EXPECT_DOUBLE_EQ(v, 123400.0 + 1e-9);

    VkLGR870Com_ConvertIllumiToData(0x8FA0, text, kilo);  // 4000 x 256 / 100 = 10240
    EXPECT_STREQ(text, "10240");
    EXPECT_STREQ(kilo, "10.24");

    v = VkLGR870Com_ConvertIllumiToData(1234, text, nullptr);  // 12.34: printed
    EXPECT_STREQ(text, "12.34");
    v = VkLGR870Com_ConvertIllumiToData(0x2C35, text, nullptr);  // 3125 x 4 / 100 = 125
    EXPECT_STREQ(text, "125.0");
    EXPECT_DOUBLE_EQ(v, 125.0 + 1e-9);
    VkLGR870Com_ConvertIllumiToData(0x1FFF, text, nullptr);  // 81.9: printed with two decimals
    EXPECT_STREQ(text, "81.90");
}

TEST(Convert, UvAndIntegratedTexts) {
    char text[16], kilo[16];
    double v = VkLGR870Com_ConvertUvToData(1234, text);  // 1.234
    EXPECT_STREQ(text, "1.234");
    EXPECT_NEAR(v, 1.234, 1e-8);
    VkLGR870Com_ConvertUvToData(0x1FA0, text);  // 8000 / 1000 = 8.000
    EXPECT_STREQ(text, "8.000");
    VkLGR870Com_ConvertUvToData(0x3FFF, text);  // 4095 x 8 / 1000 = 32.76
    EXPECT_STREQ(text, "32.76");

    v = VkLGR870Com_ConvertIntegIlmToData(7, text, kilo);
    EXPECT_STREQ(text, "7");
    EXPECT_DOUBLE_EQ(v, 7.0);
    VkLGR870Com_ConvertIntegIlmToData(56, text, kilo);
    EXPECT_STREQ(text, "56") << "no decimals";
    std::memset(kilo, 0, sizeof kilo);
    VkLGR870Com_ConvertIntegIlmToData(0x9FFF, text, kilo);  // 4095 x 512 = 2096640
    EXPECT_STREQ(text, "2096000");
    EXPECT_STREQ(kilo, "2096");
    VkLGR870Com_ConvertIntegIlmToData(0xDFFF, text, kilo);  // 4095 x 8192 = 33546240
    EXPECT_STREQ(text, "33540000");
    EXPECT_STREQ(kilo, "33540");

    VkLGR870Com_ConvertIntegUvToData(0x1FA0, text, kilo);  // 8.000: no kilo text yet
    EXPECT_STREQ(text, "8.000");
    VkLGR870Com_ConvertIntegUvToData(0x3FA0, text, kilo);  // 4000 x 8 / 1000 = 32.00
    EXPECT_STREQ(text, "32.00");
    VkLGR870Com_ConvertIntegUvToData(0x9FA0, text, kilo);  // 4000 x 512 / 1000 = 2048
    EXPECT_STREQ(text, "2048");
    EXPECT_STREQ(kilo, "2.048");
}

// The kilo text is a five-byte field: callers pass five-byte buffers, so not
// one byte after it may be written (a four-character text ends in a zero).
TEST(Convert, KiloTextIsExactlyFiveBytesAndNothingAfterThem) {
    using Convert = double (*)(int, char*, char*);
    struct Case {
        const char* name;
        Convert convert;
        int code;
        std::string expected;  // the five bytes; empty: none written
    };
    const Case cases[] = {
        {"illuminance 10240", VkLGR870Com_ConvertIllumiToData, 0x8FA0, "10.24"},
        {"illuminance 123400", VkLGR870Com_ConvertIllumiToData, 0xCBC6, "123.4"},
        {"illuminance 80", VkLGR870Com_ConvertIllumiToData, 0x1FA0, ""},
        {"integrated illuminance 2096640", VkLGR870Com_ConvertIntegIlmToData, 0x9FFF,
         std::string("2096\0", 5)},
        {"integrated illuminance 33546240", VkLGR870Com_ConvertIntegIlmToData, 0xDFFF, "33540"},
        {"integrated UV 2048", VkLGR870Com_ConvertIntegUvToData, 0x9FA0, "2.048"},
        {"integrated UV 8", VkLGR870Com_ConvertIntegUvToData, 0x1FA0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char text[16];
        char kilo[16];
        std::memset(kilo, '#', sizeof kilo);
        c.convert(c.code, text, kilo);
        const std::size_t written = c.expected.size();
        EXPECT_EQ(std::string(kilo, written), c.expected);
        EXPECT_EQ(std::string(kilo + written, sizeof kilo - written),
                  std::string(sizeof kilo - written, '#'));
    }
}

TEST(Convert, EveryCodeRoundTripsThroughItsText) {
    // The value shown is never above the value coded, and a normalized
    // illuminance converts back to the value it came from.
    char text[16], kilo[16];
    for (int code = 0; code <= 0xFFFF; code += 7) {
        double exact = std::ldexp(code & 0xFFF, code >> 12) / 100.0;
        double shown = VkLGR870Com_ConvertIllumiToData(code, text, kilo);
        ASSERT_LE(shown, exact + 2e-9) << code;
        ASSERT_LT(std::strlen(text), 16u);
    }
    for (double lux : {0.5, 12.34, 80.0, 409.5, 1000.0, 65000.0}) {
        double back =
            VkLGR870Com_ConvertIllumiToData(VkLGR870Com_NormalizeIllumiData(lux), text, kilo);
        EXPECT_NEAR(back, lux, lux * 0.001 + 0.01) << lux;
    }
}

TEST(Co2, CodesBothWays) {
    EXPECT_EQ(VkLGR875Com_NormalizeCO2Data(4095), 4095);
    EXPECT_EQ(VkLGR875Com_NormalizeCO2Data(4096), 0x1800);
    EXPECT_EQ(VkLGR875Com_NormalizeCO2Data(0), 0);
    EXPECT_EQ(VkLGR875Com_NormalizeCO2Data(-1), 0xF000);
    EXPECT_EQ(VkLGR875Com_NormalizeCO2Data(8191), 0x2800);  // 4095.5 rounds up past 4095
    EXPECT_EQ(VkLGR875Com_NormalizeCO2Data(16000), 0x2FA0);
    EXPECT_EQ(VkLGR875Com_NormalizeCO2Data(4095 * 128), 0x7FFF);
    EXPECT_EQ(VkLGR875Com_NormalizeCO2Data(4095 * 128 + 64), -30) << "beyond the largest code";

    EXPECT_EQ(VkLGR875Com_ConvertCO2ToData(0xF000), -1);
    EXPECT_EQ(VkLGR875Com_ConvertCO2ToData(0xF00F), -1);
    EXPECT_EQ(VkLGR875Com_ConvertCO2ToData(0x2FA0), 16000);
    EXPECT_EQ(VkLGR875Com_ConvertCO2ToData(0x1800), 4096);
    EXPECT_EQ(VkLGR875Com_ConvertCO2ToData(0xF010), (4096 - 0x010) << 7);
    for (int ppm : {0, 1, 400, 4095, 5000, 10000, 50000}) {
        int back = VkLGR875Com_ConvertCO2ToData(VkLGR875Com_NormalizeCO2Data(ppm));
        EXPECT_NEAR(back, ppm, ppm / 2048.0 + 0.5) << ppm;
    }
}

}  // namespace
