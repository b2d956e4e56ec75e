#include "journal/ReportUnits.h"

#include "journal/ReportRounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace tb::journal {
namespace {

// The display forms the pages and the settings use, with their D-SI form.
constexpr std::array<std::pair<std::string_view, std::string_view>, 15> kUnits = {{
    {"°C", "\\degreeCelsius"},
    {"℃", "\\degreeCelsius"},
    {"K", "\\kelvin"},
    {"%", "\\percent"},
    {"%RH", "\\percent"},
    {"lx", "\\lux"},
    {"mW/cm2", "\\milli\\watt\\centi\\metre\\tothe{-2}"},
    {"mW/cm²", "\\milli\\watt\\centi\\metre\\tothe{-2}"},
    {"ppm", "\\ppm"},
    {"V", "\\volt"},
    {"mV", "\\milli\\volt"},
    {"mA", "\\milli\\ampere"},
    {"dB", "\\decibel"},
    {"hPa", "\\hecto\\pascal"},
    {"Pa", "\\pascal"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kQuantities = {{
    {"°C", "temperature"},
    {"°F", "temperature"},
    {"%RH", "relative humidity"},
    {"V", "voltage"},
    {"mV", "voltage"},
    {"mA", "electric current"},
    {"dB", "sound level"},
    {"lx", "illuminance"},
    {"mW/cm²", "ultraviolet irradiance"},
    {"mW/cm2", "ultraviolet irradiance"},
    {"ppm", "carbon dioxide concentration"},
}};

// A value in °F as °C: a temperature, or a difference (an error, a limit, U).
ReportValue Celsius(ReportValue value, bool difference) {
    value.value = difference ? FahrenheitDifferenceToCelsius(value.value) : FahrenheitToCelsius(value.value);
    // Steps of 1 °F are steps of 0.56 °C: one more decimal keeps the resolution.
    value.decimals = std::min(value.decimals + 1, 9);
    value.value = std::round(value.value * std::pow(10.0, value.decimals)) / std::pow(10.0, value.decimals);
    return value;
}

void ToCelsius(ChannelResult& channel) {
    channel.unit = *UnitOf("°C");
    for (ResultPoint& point : channel.points) {
        point.reference = Celsius(point.reference, false);
        point.readingAsFound = Celsius(point.readingAsFound, false);
        point.errorAsFound = Celsius(point.errorAsFound, true);
        if (point.errorAsLeft) point.errorAsLeft = Celsius(*point.errorAsLeft, true);
        // U is never stated smaller than evaluated: rounded up again in °C.
        if (point.uncertainty) {
            const ExpandedUncertainty f = *point.uncertainty;
            point.uncertainty = RoundUncertainty(FahrenheitDifferenceToCelsius(f.u.value),
                                                 f.coverageFactor, f.coverageProbability);
        }
    }
    if (channel.conformity) {
        channel.conformity->lowerLimit = Celsius(channel.conformity->lowerLimit, true);
        channel.conformity->upperLimit = Celsius(channel.conformity->upperLimit, true);
    }
}

}  // namespace

std::string QuantityOf(std::string_view display) {
    for (const auto& [shown, quantity] : kQuantities) {
        if (shown == display) return std::string(quantity);
    }
    return "measured value";
}

CertificateContent InSiUnits(CertificateContent content) {
    for (ChannelResult& channel : content.channels) {
        if (channel.unit.display == "°F") ToCelsius(channel);
        else if (const auto known = UnitOf(channel.unit.display)) channel.unit = *known;
    }
    return content;
}

std::optional<ReportUnit> UnitOf(std::string_view display) {
    for (const auto& [shown, dsi] : kUnits) {
        if (shown == display) return ReportUnit{std::string(shown), std::string(dsi)};
    }
    return std::nullopt;
}

double FahrenheitToCelsius(double fahrenheit) { return (fahrenheit - 32.0) * 5.0 / 9.0; }

double FahrenheitDifferenceToCelsius(double difference) { return difference * 5.0 / 9.0; }

}  // namespace tb::journal
