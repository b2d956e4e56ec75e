#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "pages/CorrectionFormula.h"
#include "pages/MemoryDialogView.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace tb::pages {
namespace {

using services::MsgButtons;
using services::MsgIcon;
using services::ScriptedMessageBoxes;

class Formula : public ::testing::Test {
  protected:
    // The refusal showed exactly one OK box with the warning icon and the text of messageId.
    void ExpectRefusedWith(int messageId) {
        ASSERT_EQ(boxes_.Count(), 1u) << "expected message " << messageId;
        const auto box = boxes_.Last();
        EXPECT_EQ(box.text, services::LoadResString(messageId));
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        EXPECT_EQ(box.icon, MsgIcon::Warning);
        boxes_.Clear();
    }
    void ExpectNoBox() {
        EXPECT_EQ(boxes_.Count(), 0u);
        boxes_.Clear();
    }

    ScriptedMessageBoxes boxes_;
};

TEST_F(Formula, OnePointOffsetIsComposedOnTheCurrentOne) {
    auto entered = DeriveOnePoint(CheckKind::Celsius, 25.0, 25.3, 0.4);
    ASSERT_TRUE(entered);
    ExpectNoBox();
    EXPECT_EQ(entered->slope, 1.0);
    EXPECT_DOUBLE_EQ(entered->offset, 0.3);
    Correction composed = ComposeCorrection({1.0, 0.4}, *entered);
    EXPECT_DOUBLE_EQ(composed.slope, 1.0);
    EXPECT_DOUBLE_EQ(composed.offset, 0.7);
}

TEST_F(Formula, OnePointLimitAppliesToTheComposedOffsetInclusively) {
    EXPECT_FALSE(DeriveOnePoint(CheckKind::Celsius, 0.0, 0.75, 29.5));
    ExpectRefusedWith(kMsgOffsetLimit30C);
    EXPECT_TRUE(DeriveOnePoint(CheckKind::Celsius, 0.0, 0.5, 29.5));
    ExpectNoBox();
    EXPECT_FALSE(DeriveOnePoint(CheckKind::Celsius, 0.0, -0.75, -29.5));
    ExpectRefusedWith(kMsgOffsetLimit30C);
}

TEST_F(Formula, OnePointDegreesFahrenheitAreConvertedBeforeEverything) {
    auto entered = DeriveOnePoint(CheckKind::Fahrenheit, 77.0, 78.8, 0.0);
    ASSERT_TRUE(entered);
    EXPECT_DOUBLE_EQ(entered->offset, 1.0);
    EXPECT_EQ(FormatCorrection(kFmtEntered3, *entered, true), "(y = 1.000x +1.800)");
    // 54 F of change is exactly 30 C: accepted; a little more is not.
    EXPECT_TRUE(DeriveOnePoint(CheckKind::Fahrenheit, 32.0, 86.0, 0.0));
    ExpectNoBox();
    EXPECT_FALSE(DeriveOnePoint(CheckKind::Fahrenheit, 32.0, 86.2, 0.0));
    ExpectRefusedWith(kMsgOffsetLimit30C);
}

TEST_F(Formula, OnePointLimitsAndMessagesByKind) {
    struct Case {
        CheckKind kind;
        double passes, fails;
        int message;
    } cases[] = {
        {CheckKind::CurrentLoop, 30.0, 30.001, kMsgOffsetLimit30},
        {CheckKind::Voltage, 3.0, 3.001, kMsgOffsetLimit3},
        {CheckKind::NoiseVibration, 50.0, 50.001, kMsgOffsetLimit50},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(DeriveOnePoint(c.kind, 0.0, c.passes, 0.0));
        ExpectNoBox();
        EXPECT_FALSE(DeriveOnePoint(c.kind, 0.0, c.fails, 0.0));
        ExpectRefusedWith(c.message);
        EXPECT_FALSE(DeriveOnePoint(c.kind, c.fails, 0.0, 0.0));
        ExpectRefusedWith(c.message);
    }
}

TEST_F(Formula, TwoPointEqualBeforeValuesAreRefusedFirst) {
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::Celsius, 1.0, 0.0, 10.0, 10.0, 5.0, 5.0));
    ExpectRefusedWith(kMsgInvalidInput);
    // Even when the composed offset would be far out of range as well.
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::Voltage, 1.0, 100.0, 10.0, 10.0, 5.0, 9.0));
    ExpectRefusedWith(kMsgInvalidInput);
}

TEST_F(Formula, TwoPointZeroSlopeIsRefused) {
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::Celsius, 1.0, 0.0, 0.0, 10.0, 5.0, 5.0));
    ExpectRefusedWith(kMsgSlopeIsZero);
}

TEST_F(Formula, TwoPointSlopeRangeAppliesToTheProduct) {
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::Celsius, 1.0, 0.0, 0.0, 10.0, 0.0, 25.0));
    ExpectRefusedWith(kMsgSlopeRange);
    auto entered = DeriveTwoPoint(CheckKind::Celsius, 0.5, 0.0, 0.0, 10.0, 0.0, 40.0);
    ASSERT_TRUE(entered);
    ExpectNoBox();
    EXPECT_DOUBLE_EQ(entered->slope, 4.0);
    EXPECT_DOUBLE_EQ(entered->offset, 0.0);
    EXPECT_DOUBLE_EQ(ComposeCorrection({0.5, 0.0}, *entered).slope, 2.0);
    // A falling line is out of range too.
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::Celsius, 1.0, 0.0, 0.0, 10.0, 10.0, 0.0));
    ExpectRefusedWith(kMsgSlopeRange);
}

TEST_F(Formula, TwoPointNoiseVibrationLimits) {
    // Product slope 0.45 is below 0.5.
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::NoiseVibration, 0.9, 0.0, 0.0, 10.0, 0.0, 5.0));
    ExpectRefusedWith(kMsgSlopeRangeNoise);
    EXPECT_TRUE(DeriveTwoPoint(CheckKind::NoiseVibration, 1.0, 0.0, 0.0, 10.0, 0.0, 5.0));
    ExpectNoBox();
    // Offset 40 lies within +-50, 60 does not.
    EXPECT_TRUE(DeriveTwoPoint(CheckKind::NoiseVibration, 1.0, 0.0, 0.0, 10.0, 40.0, 50.0));
    ExpectNoBox();
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::NoiseVibration, 1.0, 0.0, 0.0, 10.0, 60.0, 70.0));
    ExpectRefusedWith(kMsgOffsetLimit50);
}

TEST_F(Formula, TwoPointOffsetLimitsByKind) {
    // Composed offset B = y1 - x1 * S + b0: 25 + 5 = 30 passes, 25 + 5.5 fails.
    EXPECT_TRUE(DeriveTwoPoint(CheckKind::Celsius, 1.0, 5.0, 0.0, 10.0, 25.0, 35.0));
    ExpectNoBox();
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::Celsius, 1.0, 5.5, 0.0, 10.0, 25.0, 35.0));
    ExpectRefusedWith(kMsgOffsetLimit30C);
    // The 4-20 mA input refuses a two-point offset with the degrees-C text.
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::CurrentLoop, 1.0, 0.0, 0.0, 10.0, 31.0, 41.0));
    ExpectRefusedWith(kMsgOffsetLimit30C);
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::Voltage, 1.0, 0.0, 1.0, 2.0, 4.5, 5.5));
    ExpectRefusedWith(kMsgOffsetLimit3);
}

TEST_F(Formula, TwoPointDegreesFahrenheitAreConverted) {
    // 50 F and 86 F are 10 C and 30 C: the identity line.
    auto entered = DeriveTwoPoint(CheckKind::Fahrenheit, 1.0, 0.0, 50.0, 86.0, 50.0, 86.0);
    ASSERT_TRUE(entered);
    EXPECT_DOUBLE_EQ(entered->slope, 1.0);
    EXPECT_NEAR(entered->offset, 0.0, 1e-9);
}

TEST_F(Formula, SlopesThatRoundToZeroAreNeverAccepted) {
    // s = 0.0004 is not 0, but would be written as 0.000.
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::Celsius, 1.0, 0.0, 0.0, 100.0, 0.0, 0.04));
    ExpectRefusedWith(kMsgSlopeIsZero);
    // A logger that holds slope 0 cannot be composed into a working correction.
    EXPECT_FALSE(DeriveTwoPoint(CheckKind::Celsius, 0.0, 0.0, 0.0, 10.0, 0.0, 10.0));
    ExpectRefusedWith(kMsgSlopeRange);
}

TEST_F(Formula, TwoPointLineRoundsTheSlopeButNotTheOffset) {
    auto line = TwoPointLine(0.0, 3.0, 0.1, 3.2);  // s = 1.0333..
    ASSERT_TRUE(line);
    EXPECT_DOUBLE_EQ(line->slope, 1.033);
    EXPECT_DOUBLE_EQ(line->offset, 3.2 - 1.033 * 3.0);
    ExpectNoBox();
}

TEST_F(Formula, TwoPointLineRefusesFlatAndVerticalLines) {
    EXPECT_FALSE(TwoPointLine(0.0, 10.0, 3.0, 3.0));
    ExpectRefusedWith(kMsgSlopeMustNotBeZero);
    EXPECT_FALSE(TwoPointLine(0.0, 1000.0, 0.0, 0.3));  // 0.0003 rounds to 0
    ExpectRefusedWith(kMsgSlopeMustNotBeZero);
    EXPECT_FALSE(TwoPointLine(5.0, 5.0, 0.0, 1.0));
    ExpectRefusedWith(kMsgInvalidInput);
}

TEST(RoundHalfAway, RoundsHalfAwayFromZero) {
    EXPECT_EQ(RoundHalfAway(1.00049999, 3), 1.0);
    EXPECT_EQ(RoundHalfAway(-1.0006, 3), -1.001);
    EXPECT_EQ(RoundHalfAway(0.0004, 3), 0.0);
    EXPECT_EQ(RoundHalfAway(0.0005, 3), 0.001);
    EXPECT_EQ(RoundHalfAway(-0.0005, 3), -0.001);
    EXPECT_EQ(RoundHalfAway(0.25, 1), 0.3);
    EXPECT_EQ(RoundHalfAway(-0.25, 1), -0.3);
    EXPECT_EQ(RoundHalfAway(2.5, 0), 3.0);
    // Rounding to zero never leaves a negative zero behind ("-0.000").
    EXPECT_FALSE(std::signbit(RoundHalfAway(-0.0004, 3)));
    EXPECT_FALSE(std::signbit(RoundHalfAway(0.0, 3)));
}

TEST(RoundHalfAway, OutOfReachValuesComeBackUnchanged) {
    EXPECT_EQ(RoundHalfAway(1e300, 3), 1e300);
    EXPECT_TRUE(std::isnan(RoundHalfAway(NAN, 3)));
    EXPECT_EQ(RoundHalfAway(INFINITY, 3), INFINITY);
    EXPECT_EQ(RoundHalfAway(1.23456, -1), 1.23456);
}

TEST(Composition, RoundsSlopeAndOffset) {
    Correction composed = ComposeCorrection({1.002, -0.350}, {0.998, 0.100});
    EXPECT_EQ(composed.slope, 1.0);      // 0.999996
    EXPECT_EQ(composed.offset, -0.249);  // 0.998 * -0.350 + 0.100 = -0.2493
}

TEST(Composition, MultiInputVariantRoundsAndReplacesTheCurrentCorrection) {
    Correction current{1.00251, 0.12349};
    Correction composed = ComposeWithRoundedCurrent(current, {1.0, 0.1});
    EXPECT_EQ(current, (Correction{1.003, 0.123}));
    EXPECT_EQ(composed, (Correction{1.003, 0.223}));
    // Without the variant the unrounded current offset takes part.
    EXPECT_EQ(ComposeCorrection({1.00251, 0.12349}, {1.0, 0.1}).offset, 0.223);
    EXPECT_EQ(ComposeCorrection({1.0, 0.1234999}, {2.0, 0.0}).offset, 0.247);
    Correction other{1.0, 0.1234999};
    EXPECT_EQ(ComposeWithRoundedCurrent(other, {2.0, 0.0}).offset, 0.246);
}

TEST(Helpers, OffsetThroughPointWritesTheRoundedSlopeBack) {
    double slope = 1.23456;
    EXPECT_DOUBLE_EQ(OffsetThroughPoint(slope, 10.0, 20.0), 20.0 - 1.235 * 10.0);
    EXPECT_EQ(slope, 1.235);
    EXPECT_EQ(RoundedDifference(25.0, 25.3), 0.3);
    EXPECT_EQ(RoundedDifference(25.3, 25.0), -0.3);
}

TEST(Limits, TableByKind) {
    EXPECT_FALSE(LimitsOf(CheckKind::Celsius).fahrenheitEntry);
    EXPECT_TRUE(LimitsOf(CheckKind::Fahrenheit).fahrenheitEntry);
    EXPECT_EQ(LimitsOf(CheckKind::CurrentLoop).onePointOffsetMessage, kMsgOffsetLimit30);
    EXPECT_EQ(LimitsOf(CheckKind::CurrentLoop).twoPointOffsetMessage, kMsgOffsetLimit30C);
    EXPECT_EQ(LimitsOf(CheckKind::NoiseVibration).minSlope, 0.5);
    // An unknown kind falls back to the general limits, never past the table.
    EXPECT_EQ(&LimitsOf(static_cast<CheckKind>(9)), &LimitsOf(CheckKind::Celsius));
    EXPECT_EQ(&LimitsOf(static_cast<CheckKind>(-1)), &LimitsOf(CheckKind::Celsius));
    EXPECT_EQ(TemperatureKind(1), CheckKind::Fahrenheit);
    EXPECT_EQ(TemperatureKind(0), CheckKind::Celsius);
    EXPECT_EQ(TemperatureKind(5), CheckKind::Celsius);
}

// What the logger will hold, by kind: the slope range (noise/vibration from
// 0.5, the others above 0), the offset limit and message of a one- or
// two-point entry; every limit inclusive, nothing non-finite passes.
TEST(ComposedCheck, WeighsWhatTheLoggerWillHoldAgainstTheKindsLimits) {
    struct Row {
        CheckKind kind;
        Correction held;
        bool twoPoint;
        int message;
    };
    const Row rows[] = {
        {CheckKind::Celsius, {2.0, 30.0}, true, 0},
        {CheckKind::Celsius, {2.0, 50.0}, true, kMsgOffsetLimit30C},
        {CheckKind::Celsius, {1.0, -30.001}, false, kMsgOffsetLimit30C},
        {CheckKind::Celsius, {2.001, 0.0}, true, kMsgSlopeRange},
        {CheckKind::Celsius, {0.0, 0.0}, false, kMsgSlopeRange},
        {CheckKind::Fahrenheit, {1.0, 30.1}, false, kMsgOffsetLimit30C},
        {CheckKind::CurrentLoop, {1.0, 30.1}, false, kMsgOffsetLimit30},
        {CheckKind::CurrentLoop, {1.0, 30.1}, true, kMsgOffsetLimit30C},
        {CheckKind::Voltage, {1.0, -3.0}, true, 0},
        {CheckKind::Voltage, {1.0, 3.2}, false, kMsgOffsetLimit3},
        {CheckKind::NoiseVibration, {0.5, 50.0}, true, 0},
        {CheckKind::NoiseVibration, {0.499, 0.0}, true, kMsgSlopeRangeNoise},
        {CheckKind::NoiseVibration, {1.0, 60.0}, false, kMsgOffsetLimit50},
        {CheckKind::Celsius, {NAN, 0.0}, true, kMsgSlopeRange},
        {CheckKind::Celsius, {1.0, INFINITY}, true, kMsgOffsetLimit30C},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CheckComposed(row.kind, row.held, row.twoPoint), row.message)
            << "kind " << static_cast<int>(row.kind) << " y = " << row.held.slope << "x + "
            << row.held.offset << (row.twoPoint ? " two-point" : " one-point");
    }
}

TEST(ReportInputError, ShowsTheMessageThenFocusesTheBox) {
    ScriptedMessageBoxes boxes;
    MemoryDialogView view;
    int focusedWhileOpen = -1;
    boxes.OnShow([&](const services::MessageBoxRequest&) { focusedWhileOpen = view.FocusedId(); });
    ReportInputError(kMsgEnterNumbers, 1016, view);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "数値を正しく入力してください。");
    EXPECT_EQ(boxes.Last().icon, MsgIcon::Warning);
    EXPECT_EQ(focusedWhileOpen, 0);  // the box was still open
    EXPECT_EQ(view.FocusedId(), 1016);
    EXPECT_EQ(view.FocusHistory(), std::vector<int>{1016});
}

}  // namespace
}  // namespace tb::pages
