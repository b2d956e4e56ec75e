// The direct-USB composition without a page or a logger: entries to codes,
// the pair composed on what the logger holds, and the limits, on the real
// model tables.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "pages/lgr87x/DirectUsbComposition.h"
#include "pages/lgr87x/PageLgr870.h"
#include "pages/lgr87x/PageLgr875.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace {

using tb::pages::Correction;
using namespace tb::pages::lgr87x;

const TabTable& Tab870(int tab) { return Lgr870Model().tabs[static_cast<std::size_t>(tab)]; }
const TabTable& Tab875(int tab) { return Lgr875Model().tabs[static_cast<std::size_t>(tab)]; }

EnteredCorrection Entered(double slope, double offset) {
    return {{slope, offset}, {slope, offset}};
}

// The slope is composed on the history factor only while it rounds to the
// code the logger holds: a rotated-out factor (1000.0) or one left behind a
// failed history write gives way to the logger's code.
TEST(DirectUsbComposition, SlopeComposesOnTheHistoryFactorOnlyWhileItAgreesWithTheLogger) {
    struct Case {
        double factor;
        int16_t held;
        double expected;
    };
    for (const Case& c :
         {Case{1500.4, 1500, 1500.4}, Case{1499.5, 1500, 1499.5}, Case{1500.0, 1000, 1000.0},
          Case{1000.0, 1500, 1500.0}, Case{1500.5, 1500, 1500.0}}) {
        EXPECT_EQ(SlopeToComposeOn(c.factor, c.held), c.expected) << c.factor << " " << c.held;
    }
}

// Each row composes one tab: what the logger holds, the history factors,
// which channels are adjusted and with what; then the codes written, or the
// first limit broken (every slope is checked before any offset).
TEST(DirectUsbComposition, ComposesThePairAndChecksTheLimits) {
    struct Case {
        const char* name;
        const TabTable& tab;
        CalibrationCodes held;
        std::array<double, 2> factors;
        std::array<bool, 2> adjusted;
        std::array<EnteredCorrection, 2> entered;
        CalibrationCodes codes;  // when accepted
        std::optional<std::size_t> refusedChannel;
        bool slopeRefused;
    };
    const Case cases[] = {
        {"one point +30 is the offset limit",
         Tab870(1),
         {1000, 0, 1000, 0},
         {1000, 1000},
         {true, false},
         {Entered(1.0, 30.0), {}},
         {1000, 30000, 1000, 0},
         {},
         false},
        {"the held offset pushes it over",
         Tab870(1),
         {1000, 1, 1000, 0},
         {1000, 1000},
         {true, false},
         {Entered(1.0, 30.0), {}},
         {},
         0,
         false},
        {"slope 2.001 is over",
         Tab870(1),
         {1000, 0, 1000, 0},
         {1000, 1000},
         {false, true},
         {EnteredCorrection{}, Entered(2.001, 0.0)},
         {},
         1,
         true},
        {"slope 2 on the held 1.0 is the slope limit",
         Tab870(1),
         {1000, 0, 1000, 0},
         {1000, 1000},
         {false, true},
         {EnteredCorrection{}, Entered(2.0, 0.0)},
         {1000, 0, 2000, 0},
         {},
         false},
        {"the second channel's slope before the first one's offset",
         Tab870(0),
         {1000, 0, 1000, 0},
         {1000, 1000},
         {true, true},
         {Entered(1.0, 31.0), Entered(0.0004, 0.0)},
         {},
         1,
         true},
        {"two points compose on the factor and scale the held offset",
         Tab870(1),
         {1500, 200, 1000, 0},
         {1500.4, 1000},
         {true, false},
         {Entered(1.2, 1.0), {}},
         {1800, 1240, 1000, 0},
         {},
         false},
        {"an unadjusted channel is written back as held, stale factor or not",
         Tab870(1),
         {750, -30, 1000, 0},
         {1500.0, 1000},
         {false, true},
         {EnteredCorrection{}, Entered(1.0, 1.0)},
         {750, -30, 1000, 1000},
         {},
         false},
        {"CO2 offsets are whole ppm",
         Tab875(0),
         {1000, 5, 1000, 0},
         {1000, 1000},
         {true, false},
         {Entered(1.0, -20.0), {}},
         {1000, -15, 1000, 0},
         {},
         false},
        {"CO2 offset limit 3000",
         Tab875(0),
         {1000, 0, 1000, 0},
         {1000, 1000},
         {true, false},
         {Entered(1.0, 3000.0), {}},
         {1000, 3000, 1000, 0},
         {},
         false},
        {"CO2 offset 3001 is over",
         Tab875(0),
         {1000, 0, 1000, 0},
         {1000, 1000},
         {true, false},
         {Entered(1.0, 3001.0), {}},
         {},
         0,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Composition result = ComposeTab(c.tab, c.held, c.factors, c.adjusted, c.entered);
        if (!c.refusedChannel) {
            EXPECT_FALSE(result.refusal.has_value());
            EXPECT_EQ(result.codes, c.codes);
            continue;
        }
        ASSERT_TRUE(result.refusal.has_value());
        EXPECT_EQ(result.refusal->channel, *c.refusedChannel);
        EXPECT_EQ(result.refusal->slopeFailed, c.slopeRefused);
    }
}

// A slope of exactly 1 keeps the history factor to its last digit; any
// other slope multiplies it. The factors go back into the history record.
TEST(DirectUsbComposition, NewFactorsKeepThePrecisionTheCodesLose) {
    const Composition one = ComposeTab(Tab870(1), {1500, 0, 1000, 0}, {1500.4, 1000}, {true, false},
                                       {Entered(1.0, 0.5), {}});
    EXPECT_EQ(one.factors[0], 1500.4);
    EXPECT_EQ(one.codes[0], 1500);
    const Composition scaled = ComposeTab(Tab870(1), {1500, 0, 1000, 0}, {1500.4, 1000},
                                          {true, false}, {Entered(1.2, 0.0), {}});
    EXPECT_DOUBLE_EQ(scaled.factors[0], 1500.4 * 1.2);
    EXPECT_EQ(scaled.codes[0], 1800);
}

// Degree-F entries reach the logger in degrees C; the confirmation shows
// the line the technician typed.
TEST(DirectUsbComposition, EntriesMakeTheLoggersAndTheShownCorrection) {
    struct Case {
        ChannelKind kind;
        bool twoPoint;
        bool fahrenheit;
        std::array<double, 4> values;
        Correction logger;
        Correction display;
    };
    const Case cases[] = {
        {ChannelKind::Temperature, false, true, {50.0, 59.0, 0, 0}, {1.0, 5.0}, {1.0, 9.0}},
        {ChannelKind::Temperature, false, false, {20.0, 21.5, 0, 0}, {1.0, 1.5}, {1.0, 1.5}},
        // Fahrenheit only converts temperature.
        {ChannelKind::Humidity, false, true, {50.0, 59.0, 0, 0}, {1.0, 9.0}, {1.0, 9.0}},
        {ChannelKind::Temperature, true, false, {20.0, 30.0, 30.0, 45.0}, {1.5, 0.0}, {1.5, 0.0}},
        {ChannelKind::Temperature,
         true,
         true,
         {32.0, 32.0, 212.0, 392.0},
         {2.0, 0.0},
         {2.0, -32.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.values[0]) + " " + std::to_string(c.values[1]));
        const std::optional<EnteredCorrection> entered =
            EnteredOf(c.kind, c.twoPoint, c.fahrenheit, c.values);
        ASSERT_TRUE(entered.has_value());
        EXPECT_DOUBLE_EQ(entered->logger.slope, c.logger.slope);
        EXPECT_NEAR(entered->logger.offset, c.logger.offset, 1e-9);
        EXPECT_DOUBLE_EQ(entered->display.slope, c.display.slope);
        EXPECT_NEAR(entered->display.offset, c.display.offset, 1e-9);
    }
    tb::services::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(EnteredOf(ChannelKind::Uv, true, false, {5.0, 1.0, 5.0, 2.0}).has_value());
    EXPECT_EQ(boxes.Count(), 1u);
}

TEST(DirectUsbComposition, EntryBoundsAndEncoding) {
    struct Refusal {
        ChannelKind kind;
        int box;
        double value;
        int message;
    };
    for (const Refusal& c :
         {Refusal{ChannelKind::Illuminance, kBoxBefore1, -1.0, 0},
          Refusal{ChannelKind::Illuminance, kBoxBefore1, -1.01, kMsgBelowMinusOne},
          Refusal{ChannelKind::Uv, kBoxBefore2, -1.5, kMsgBelowMinusOne},
          Refusal{ChannelKind::Uv, kBoxAfter1, -3.0, 0},
          Refusal{ChannelKind::Uv, kBoxAfter2, -0.1, kMsgBelowZero},
          Refusal{ChannelKind::Temperature, kBoxBefore1, -40.0, 0},
          Refusal{ChannelKind::Co2, kBoxAfter2, -5.0, 0}}) {
        EXPECT_EQ(EntryRefusal(c.kind, c.box, c.value), c.message) << c.value;
    }
    static double normalized = 0;
    const auto normalize = [](ChannelKind, double value) -> uint16_t {
        normalized = value;
        return 77;
    };
    EXPECT_EQ(EncodeEntry(ChannelKind::Temperature, 25.37, normalize), 253);
    EXPECT_EQ(EncodeEntry(ChannelKind::Humidity, -0.55, normalize), static_cast<uint16_t>(-5));
    EXPECT_EQ(EncodeEntry(ChannelKind::Illuminance, -0.5, normalize), static_cast<uint16_t>(-500));
    EXPECT_EQ(EncodeEntry(ChannelKind::Uv, 2.5, normalize), 77);
    EXPECT_EQ(normalized, 2.5);
    EXPECT_EQ(EncodeEntry(ChannelKind::Co2, 420.9, normalize), 77);
    EXPECT_EQ(normalized, 420.0);
    EXPECT_EQ(EncodeEntry(ChannelKind::Unused, 5.0, normalize), 0);
}

}  // namespace
