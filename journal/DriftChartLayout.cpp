#include "journal/DriftChartLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace tb::journal {
namespace {

// The values and limits take at most this share of the plot's height.
constexpr double kMarginShare = 0.15;
constexpr int kWantedTicks = 5;
// The values take at least this share of the axis's span.
constexpr double kLeastValueShare = 1.0 / 3.0;
// "yyyy-MM-dd" and "yyyy-MM-dd HH:mm" of a local time text.
constexpr std::size_t kDateLength = 10;
constexpr std::size_t kMinuteLength = 16;
constexpr std::size_t kSecondLength = 19;

std::size_t LabelLength(TimeDetail detail) {
    switch (detail) {
        case TimeDetail::Day:
            return kDateLength;
        case TimeDetail::Minute:
            return kMinuteLength;
        case TimeDetail::Second:
            break;
    }
    return kSecondLength;
}

bool LabelsDiffer(const std::vector<DriftVisit>& visits, TimeDetail detail) {
    std::set<std::string> labels;
    for (const DriftVisit& visit : visits)
        if (!labels.insert(visit.localTime.substr(0, LabelLength(detail))).second) return false;
    return true;
}

// 1, 2 or 5 times a power of ten, at least raw.
double RoundStep(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= raw * (1 - 1e-9)) return factor * power;
    }
    return 10.0 * power;
}

// A flat series still gets a readable span: 2 % of its size, at least 0.001.
double SpanOf(double least, double most) {
    return std::max({most - least, std::abs(most) * 0.02, std::abs(least) * 0.02, 1e-3});
}

// Whether the axis can show the limit and the values still take at least
// kLeastValueShare of it: a limit far from the values would flatten their
// drift to a line, so the axis follows the values and leaves it off.
bool NearTheValues(const std::vector<double>& values, double limit) {
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    const double withLimit = std::max(*most, limit) - std::min(*least, limit);
    return SpanOf(*least, *most) >= withLimit * kLeastValueShare;
}

// A limit is on the axis when there are no values, when a value lies
// beyond it (a value out of its limits is always seen against them), or
// when it is near the values.
bool LimitShown(const std::vector<double>& values, double limit, bool upper) {
    if (values.empty()) return true;
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    if (upper ? *most >= limit : *least <= limit) return true;
    return NearTheValues(values, limit);
}

}  // namespace

ValueAxis ValueAxisFor(const std::vector<double>& values,
                       const std::optional<std::pair<double, double>>& limits) {
    std::vector<double> shown;
    for (const double v : values)
        if (std::isfinite(v)) shown.push_back(v);
    if (limits) {
        const std::vector<double> valuesOnly = shown;
        for (const double limit : {limits->first, limits->second})
            if (std::isfinite(limit) && LimitShown(valuesOnly, limit, limit == limits->second))
                shown.push_back(limit);
    }
    if (shown.empty()) shown.push_back(0.0);
    const auto [least, most] = std::minmax_element(shown.begin(), shown.end());
    const double span = SpanOf(*least, *most);
    const double centre = (*most + *least) / 2;
    const double low = centre - span * (0.5 + kMarginShare);
    const double high = centre + span * (0.5 + kMarginShare);
    const double step = RoundStep((high - low) / (kWantedTicks - 1));

    ValueAxis axis;
    axis.low = std::floor(low / step) * step;
    axis.high = std::ceil(high / step) * step;
    const int count = static_cast<int>(std::lround((axis.high - axis.low) / step));
    for (int i = 0; i <= count; ++i) axis.ticks.push_back(axis.low + i * step);
    axis.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    return axis;
}

bool OnAxis(const ValueAxis& axis, double value) {
    return std::isfinite(value) && value >= axis.low && value <= axis.high;
}

std::string LimitsText(const ValueAxis& axis, const std::pair<double, double>& limits) {
    const int decimals = std::max(axis.decimals, 1);
    char text[128];
    std::snprintf(text, sizeof text, "%.*f … %.*f", decimals, limits.first, decimals, limits.second);
    return text;
}

std::string TickLabel(const ValueAxis& axis, double tick) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", axis.decimals, tick);
    std::string label = text;
    if (label.front() == '-' && label.find_first_not_of("0.", 1) == std::string::npos)
        label.erase(0, 1);
    return label;
}

TimeDetail TimeDetailFor(const std::vector<DriftVisit>& visits) {
    for (const TimeDetail detail : {TimeDetail::Day, TimeDetail::Minute})
        if (LabelsDiffer(visits, detail)) return detail;
    return TimeDetail::Second;
}

std::string VisitLabel(const DriftVisit& visit, TimeDetail detail) {
    return visit.localTime.substr(0, LabelLength(detail));
}

}  // namespace tb::journal
