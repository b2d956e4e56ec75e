#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "pages/CorrectionFormula.h"

namespace tb::pages {
namespace {

TEST(FormatCorrection, FillsTheNumberedFormats) {
    EXPECT_EQ(FormatCorrection(kFmtCurrent3, {1.0, 0.0}, false), "現在の設定：y = 1.000x +0.000");
    EXPECT_EQ(FormatCorrection(kFmtEntered3, {1.002, -0.35}, false), "(y = 1.002x -0.350)");
    EXPECT_EQ(FormatCorrection(kFmtCurrent1, {0.998, 0.26}, false), "現在の設定：y = 0.998x +0.3");
    EXPECT_EQ(FormatCorrection(kFmtEntered1, {1.0, -1.26}, false), "(y = 1.000x -1.3)");
    EXPECT_EQ(FormatCorrection(kFmtCurrentWhole, {1.5, -25.0}, false),
              "現在の設定：y = 1.500x -25");
}

TEST(FormatCorrection, DegreeFormShowsTheSameLineForFahrenheitReadings) {
    // y = 1.1x + 2 in C: b' = 2 * 1.8 + 32 - 32 * 1.1 = 0.4.
    EXPECT_EQ(FormatCorrection(kFmtCurrent3, {1.1, 2.0}, true), "現在の設定：y = 1.100x +0.400");
    Correction terms = FahrenheitTerms({1.0004, 1.0});
    EXPECT_EQ(terms.slope, 1.0);
    EXPECT_NEAR(terms.offset, 1.8, 1e-12);
    // The identity stays the identity.
    EXPECT_EQ(FormatCorrection(kFmtCurrent3, {1.0, 0.0}, true), "現在の設定：y = 1.000x +0.000");
}

TEST(FormatCorrection, NeverShowsMinusZero) {
    EXPECT_EQ(FormatCorrection(kFmtEntered3, {1.0, -0.0}, false), "(y = 1.000x +0.000)");
    // -1.28 C * 1.8 + 32 - 32 * 0.928 is zero but for floating-point noise.
    EXPECT_LT(FahrenheitTerms({0.928, -1.28}).offset, 0.0);
    EXPECT_EQ(FormatCorrection(kFmtEntered3, {0.928, -1.28}, true), "(y = 0.928x +0.000)");
}

TEST(FormatCorrection, UnknownFormatGivesEmptyText) {
    EXPECT_EQ(FormatCorrection(4711, {1.0, 0.0}, false), "");
}

TEST(FormatBracketed, SignCharactersAndModes) {
    EXPECT_EQ(FormatBracketed(1, 1000, 25), " (y=  1.000x + 25)");
    EXPECT_EQ(FormatBracketed(0, -600, -1250), " (y= -0.600x - 1.250)");
    EXPECT_EQ(FormatBracketed(0, 1000, 250), " (y=  1.000x + 0.250)");
    EXPECT_EQ(FormatBracketed(0, 0, 0), " (y=  0.000x + 0.000)");
    EXPECT_EQ(FormatBracketed(1, 2000, -3000), " (y=  2.000x - 3000)");
    EXPECT_EQ(FormatBracketed(7, 1500, 30000), " (y=  1.500x + 30.000)");
}

TEST(FormatBracketed, ValuesInsideTheLimitsFit31Characters) {
    for (int mode : {0, 1}) {
        for (int slope : {-2000, 0, 2000}) {
            for (int offset : {-30000, 30000, SHRT_MIN, SHRT_MAX}) {
                EXPECT_LE(FormatBracketed(mode, slope, offset).size(), 31u);
            }
        }
    }
}

TEST(FormatBracketed, ExtremeCodesAreShownInFullNotCut) {
    EXPECT_EQ(FormatBracketed(1, INT_MIN, INT_MIN), " (y= -2147483.648x - 2147483648)");
    EXPECT_EQ(FormatBracketed(0, INT_MAX, INT_MIN), " (y=  2147483.647x - 2147483.648)");
}

}  // namespace
}  // namespace tb::pages
