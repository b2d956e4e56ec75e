#include "journal/ReportUnits.h"

#include <array>
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

}  // namespace

std::optional<ReportUnit> UnitOf(std::string_view display) {
    for (const auto& [shown, dsi] : kUnits) {
        if (shown == display) return ReportUnit{std::string(shown), std::string(dsi)};
    }
    return std::nullopt;
}

double FahrenheitToCelsius(double fahrenheit) { return (fahrenheit - 32.0) * 5.0 / 9.0; }

double FahrenheitDifferenceToCelsius(double difference) { return difference * 5.0 / 9.0; }

}  // namespace tb::journal
