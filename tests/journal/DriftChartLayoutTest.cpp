// The drift chart's axes: limits and values always inside the plot with
// room around them, round and distinct ticks, and visits told apart by
// their labels even when they fall on one day.
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
};

TEST(DriftChartLayout, ValuesAndLimitsFitWithRoomAndTicksAreRound) {
    const AxisCase cases[] = {
        {"slopes inside their limits", {1.002, 0.998, 1.0}, std::pair{0.5, 2.0}},
        {"offsets near the limit", {29.5, -3.0}, std::pair{-30.0, 30.0}},
        {"a value beyond the limit", {55.0}, std::pair{-50.0, 50.0}},
        {"a flat series without limits", {1.0, 1.0, 1.0}, std::nullopt},
        {"all zero", {0.0, 0.0}, std::nullopt},
        {"no values, only limits", {}, std::pair{-3.0, 3.0}},
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
            shown.push_back(c.limits->first);
            shown.push_back(c.limits->second);
            // The band between the limits never fills the plot.
            EXPECT_LE((c.limits->second - c.limits->first) / (axis.high - axis.low), 0.8);
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
