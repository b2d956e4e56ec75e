// How a drift chart lays out its axes, for the certificate's picture and
// the journal window alike: value axes scaled to the values with room
// around them, taking in a limit (drawn as a reference line) when it is
// near enough for the drift still to show, round ticks, and time labels
// that tell visits apart (the time of day joins the date when two visits
// fall on one day).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "journal/DriftSeries.h"

namespace tb::journal {

struct ValueAxis {
    double low = 0.0;
    double high = 1.0;
    std::vector<double> ticks;  // from low to high, evenly spaced
    int decimals = 0;           // what the tick labels need
};

// The axis for the values and, when given and near them, the limits (low,
// high); OnAxis says which made it.
ValueAxis ValueAxisFor(const std::vector<double>& values,
                       const std::optional<std::pair<double, double>>& limits);

// Whether the value lies on the axis (a limit's line is drawn only then).
bool OnAxis(const ValueAxis& axis, double value);

// The limits as a chart states them beside the axis: "0.50 … 2.00", to the
// axis's decimals (at least one).
std::string LimitsText(const ValueAxis& axis, const std::pair<double, double>& limits);

// A tick's label: the value to the axis's decimals.
std::string TickLabel(const ValueAxis& axis, double tick);

enum class TimeDetail { Day, Minute, Second };

// The coarsest detail at which no two visits share a label: Day, Minute
// when two fall on one local day, Second when two fall in one minute.
TimeDetail TimeDetailFor(const std::vector<DriftVisit>& visits);

// The visit's local date ("2026-12-09"), with the time of day at Minute
// ("2026-12-09 14:05") and Second ("2026-12-09 14:05:10") detail.
std::string VisitLabel(const DriftVisit& visit, TimeDetail detail);

}  // namespace tb::journal
