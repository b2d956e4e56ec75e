// The drift chart's axes: the values inside the plot with room around
// them, the limits on it when near or passed, round and distinct ticks,
// and visits told apart by their labels even when they fall on one day.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "journal/DriftChartLayout.h"

namespace tb::journal {
namespace {

struct AxisCase {
    const char* name;
    std::vector<double> values;
    std::optional<std::pair<double, double>> limits;
    bool lowOnAxis = false;   // the lower limit's line is drawn
    bool highOnAxis = false;  // the upper limit's line is drawn
};

TEST(DriftChartLayout, TheAxisFollowsTheValuesAndTakesInLimitsNearOrPassed) {
    const AxisCase cases[] = {
        // Far limits would flatten the drift to a line: the values fill the plot.
        {"slopes far inside their limits", {1.002, 0.998, 1.0}, std::pair{0.5, 2.0}},
        {"offsets near the limit", {29.5, -3.0}, std::pair{-30.0, 30.0}, true, true},
        {"offsets near the upper limit only", {8.0, 9.5}, std::pair{-30.0, 10.0}, false, true},
        {"a value beyond the upper limit", {55.0}, std::pair{-50.0, 50.0}, false, true},
        {"a value below the lower limit", {-0.8, 0.1}, std::pair{-0.5, 0.5}, true, true},
        {"a flat series without limits", {1.0, 1.0, 1.0}, std::nullopt},
        {"all zero", {0.0, 0.0}, std::nullopt},
        {"no values, only limits", {}, std::pair{-3.0, 3.0}, true, true},
        {"a non-finite value is left out", {NAN, 0.2, INFINITY}, std::pair{-0.5, 0.5}},
    };
    for (const AxisCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ValueAxis axis = ValueAxisFor(c.values, c.limits);
        ASSERT_LT(axis.low, axis.high);
        std::vector<double> shown;
        for (double v : c.values)
            if (std::isfinite(v)) shown.push_back(v);
        if (c.limits) {
            EXPECT_EQ(OnAxis(axis, c.limits->first), c.lowOnAxis);
            EXPECT_EQ(OnAxis(axis, c.limits->second), c.highOnAxis);
            if (c.lowOnAxis) shown.push_back(c.limits->first);
            if (c.highOnAxis) shown.push_back(c.limits->second);
            // The band between the limits never fills the plot.
            if (c.lowOnAxis && c.highOnAxis) {
                EXPECT_LE((c.limits->second - c.limits->first) / (axis.high - axis.low), 0.8);
            }
        }
        for (double v : shown) {
            EXPECT_GT(v, axis.low);
            EXPECT_LT(v, axis.high);
        }
        ASSERT_GE(axis.ticks.size(), 3u);
        EXPECT_LE(axis.ticks.size(), 12u);
        EXPECT_DOUBLE_EQ(axis.ticks.front(), axis.low);
        EXPECT_NEAR(axis.ticks.back(), axis.high, 1e-9 * std::abs(axis.high) + 1e-12);
        std::set<std::string> labels;
        for (double tick : axis.ticks) labels.insert(TickLabel(axis, tick));
        EXPECT_EQ(labels.size(), axis.ticks.size()) << "tick labels must differ";
        EXPECT_EQ(labels.count("-0"), 0u);
    }
}

DriftVisit VisitAt(const std::string& localTime) {
    DriftVisit visit;
    visit.localTime = localTime;
    return visit;
}

TEST(DriftChartLayout, VisitsOnOneDayAreLabelledWithTheirTime) {
    const std::vector<DriftVisit> apart = {VisitAt("2026-11-02 09:00:00 (+09:00)"),
                                           VisitAt("2026-12-09 10:15:30 (+09:00)")};
    EXPECT_EQ(TimeDetailFor(apart), TimeDetail::Day);
    EXPECT_EQ(VisitLabel(apart[0], TimeDetail::Day), "2026-11-02");

    std::vector<DriftVisit> oneDay = apart;
    oneDay.push_back(VisitAt("2026-12-09 14:05:10 (+09:00)"));
    ASSERT_EQ(TimeDetailFor(oneDay), TimeDetail::Minute);
    std::set<std::string> labels;
    for (const DriftVisit& visit : oneDay) labels.insert(VisitLabel(visit, TimeDetail::Minute));
    EXPECT_EQ(labels, (std::set<std::string>{"2026-11-02 09:00", "2026-12-09 10:15",
                                             "2026-12-09 14:05"}));

    oneDay.push_back(VisitAt("2026-12-09 14:05:40 (+09:00)"));
    ASSERT_EQ(TimeDetailFor(oneDay), TimeDetail::Second);
    EXPECT_EQ(VisitLabel(oneDay.back(), TimeDetail::Second), "2026-12-09 14:05:40");
}

}  // namespace
}  // namespace tb::journal
