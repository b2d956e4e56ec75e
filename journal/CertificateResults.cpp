#include "journal/CertificateResults.h"

#include <QString>
#include <algorithm>
#include <cmath>

#include "journal/ReportRounding.h"
#include "journal/ReportUnits.h"
#include "resources/StringIds.h"
#include "services/PageServices.h"

namespace tb::journal {

using namespace resources::strings;
namespace {

// A typed reading: its value and how many decimals it was typed with.
std::optional<ReportValue> TypedValue(const std::string& text) {
    bool ok = false;
    const QString typed = QString::fromStdString(text).trimmed();
    const double value = typed.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    const qsizetype point = typed.indexOf('.');
    const int decimals = point < 0 ? 0 : static_cast<int>(typed.size() - point - 1);
    return ReportValue{value, std::min(decimals, 9)};
}

bool IsFahrenheit(const std::string& unit) { return unit == "°F"; }

// The reading the logger gives with the as-left correction for the input
// that gave `reading` with the as-found one; nothing when as found is not invertible.
std::optional<double> ReadingAsLeft(double reading, const pages::Correction& asFound,
                                    const pages::Correction& asLeft, bool fahrenheit) {
    if (asFound.slope == 0.0) return std::nullopt;
    const double own = fahrenheit ? FahrenheitToCelsius(reading) : reading;
    const double input = (own - asFound.offset) / asFound.slope;
    const double left = asLeft.slope * input + asLeft.offset;
    return fahrenheit ? left * 1.8 + 32.0 : left;
}

double CoverageProbability(double k) { return std::round(std::erf(k / std::sqrt(2.0)) * 1000.0) / 1000.0; }

struct ChannelRules {
    std::optional<ExpandedUncertainty> uncertainty;
    std::optional<double> tolerance;
};

std::optional<ChannelRules> RulesFor(const pages::ChannelRecord& channel, const ResultRules& rules,
                                     JournalError& error) {
    ChannelRules found;
    if (!rules.uncertaintyNotEvaluated) {
        const auto stated = FigureFor(rules.uncertainty, channel.name, channel.unit);
        if (stated) {
            found.uncertainty = RoundUncertainty(stated->value, stated->coverageFactor,
                                                 CoverageProbability(stated->coverageFactor));
        }
        if (!found.uncertainty) {
            error = {kMsgCertificateNoUncertainty, {channel.name, channel.unit}};
            return std::nullopt;
        }
    }
    if (const auto limit = FigureFor(rules.tolerance, channel.name, channel.unit)) found.tolerance = limit->value;
    return found;
}

std::optional<ResultPoint> PointOf(const pages::ChannelRecord& channel, std::size_t i,
                                   const ChannelRules& rules) {
    const auto reading = TypedValue(channel.enteredPoints[i]);
    const auto reference = TypedValue(channel.enteredPoints[i + 1]);
    if (!reading || !reference) return std::nullopt;
    const int decimals = std::max(reading->decimals, reference->decimals);
    ResultPoint point;
    point.reference = *reference;
    point.readingAsFound = *reading;
    point.uncertainty = rules.uncertainty;
    point.errorAsFound = RoundResult(reading->value - reference->value, rules.uncertainty, decimals);
    if (channel.asFound && channel.asLeft) {
        if (const auto left = ReadingAsLeft(reading->value, *channel.asFound, *channel.asLeft,
                                            IsFahrenheit(channel.unit)))
            point.errorAsLeft = RoundResult(*left - reference->value, rules.uncertainty, decimals);
    }
    return point;
}

std::string ChannelTitle(const pages::ChannelRecord& channel, const JournalEntry& entry, bool several) {
    if (!several) return channel.name;
    return channel.name + " (" + services::LoadResString(kStrRecordNumber) + " " + std::to_string(entry.id) + ")";
}

ReportUnit DisplayUnit(const std::string& unit) {
    if (const auto known = UnitOf(unit)) return *known;
    return {unit, {}};
}

std::optional<ChannelResult> ResultOf(const JournalEntry& entry, const pages::ChannelRecord& channel,
                                      const ResultRules& rules, bool several, JournalError& error) {
    if (channel.unit.empty()) {
        error = {kMsgCertificateNoUnit, {std::to_string(entry.id), channel.name}};
        return std::nullopt;
    }
    const auto channelRules = RulesFor(channel, rules, error);
    if (!channelRules) return std::nullopt;
    ChannelResult result;
    result.name = ChannelTitle(channel, entry, several);
    result.quantity = QuantityOf(channel.unit);
    result.unit = DisplayUnit(channel.unit);
    for (std::size_t i = 0; i + 1 < channel.enteredPoints.size(); i += 2) {
        const auto point = PointOf(channel, i, *channelRules);
        if (!point) {
            error = {kMsgCertificatePointUnreadable, {std::to_string(entry.id), channel.name}};
            return std::nullopt;
        }
        result.points.push_back(*point);
    }
    if (channelRules->tolerance) {
        ConformityStatement statement;
        statement.rule = rules.rule;
        const int decimals = result.points.front().errorAsFound.decimals;
        statement.lowerLimit = RoundTo(-*channelRules->tolerance, decimals);
        statement.upperLimit = RoundTo(*channelRules->tolerance, decimals);
        statement.verdict = JudgeConformity(result, *channelRules->tolerance, rules.rule);
        statement.covers = services::LoadResString(kStrCoversAsLeft);
        result.conformity = statement;
    }
    return result;
}

bool HasPoints(const pages::ChannelRecord& channel) { return channel.enteredPoints.size() >= 2; }

}  // namespace

Verdict JudgeConformity(const ChannelResult& channel, double tolerance, DecisionRule rule) {
    bool conforms = true;
    for (const ResultPoint& point : channel.points) {
        if (!point.errorAsLeft) return Verdict::NotStated;
        double limit = tolerance;
        if (rule == DecisionRule::GuardBanded) {
            if (!point.uncertainty) return Verdict::NotStated;
            limit -= point.uncertainty->u.value;
        }
        // Judged on the values as reported, so that the reader can check the verdict.
        const double error = std::abs(point.errorAsLeft->value);
        const double step = std::pow(10.0, -point.errorAsLeft->decimals) * 1e-6;
        if (error > limit + step) conforms = false;
    }
    return conforms ? Verdict::Pass : Verdict::Fail;
}

std::optional<std::vector<ChannelResult>> ResultsOf(const std::vector<JournalEntry>& entries,
                                                    const ResultRules& rules, JournalError& error) {
    std::size_t rowsWithPoints = 0;
    for (const JournalEntry& entry : entries) {
        const auto channels = ParseChannels(entry.channels);
        if (std::any_of(channels.begin(), channels.end(), HasPoints)) ++rowsWithPoints;
    }
    std::vector<ChannelResult> results;
    for (const JournalEntry& entry : entries) {
        for (const pages::ChannelRecord& channel : ParseChannels(entry.channels)) {
            if (!HasPoints(channel)) continue;
            auto result = ResultOf(entry, channel, rules, rowsWithPoints > 1, error);
            if (!result) return std::nullopt;
            results.push_back(std::move(*result));
        }
    }
    return results;
}

}  // namespace tb::journal
