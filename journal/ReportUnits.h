// Units as a certificate reports them: the display form the pages show and
// the D-SI form a machine-readable certificate needs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "journal/CertificateContent.h"

namespace tb::journal {

// The unit of a display form ("°C", "%RH", "mW/cm2", ...), with its D-SI
// form ("\degreeCelsius", "\percent", "\milli\watt\centi\metre\tothe{-2}").
// Nothing for a form that is not an SI unit or one accepted with it: °F is
// reported in °C (FahrenheitToCelsius) in a machine-readable certificate.
std::optional<ReportUnit> UnitOf(std::string_view display);

// The quantity a channel of that unit measures, in English ("temperature",
// "relative humidity", ...); "measured value" for a unit it does not know.
std::string QuantityOf(std::string_view display);

// The content as a machine reads it: channels read in °F reported in °C
// (values, errors, limits and U converted), every unit with its D-SI form.
CertificateContent InSiUnits(CertificateContent content);

// A temperature in °F as °C, and a difference of °F (an error, an
// uncertainty) as one of °C.
double FahrenheitToCelsius(double fahrenheit);
double FahrenheitDifferenceToCelsius(double difference);

}  // namespace tb::journal
