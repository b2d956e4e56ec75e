// Values rounded as a calibration lab reports them: the expanded
// uncertainty to at most two significant digits, rounded up so that it is
// never stated smaller than evaluated, and the result to the same decimal
// place as its uncertainty.
#pragma once

#include <optional>
#include <string>

#include "journal/CertificateContent.h"

namespace tb::journal {

// U to at most two significant digits, rounded up. U must be finite and
// reportable to nine decimals (at least 1e-8); anything else gives nothing.
std::optional<ExpandedUncertainty> RoundUncertainty(double expanded, double coverageFactor = 2.0,
                                                    double coverageProbability = 0.95);

// A value rounded half away from zero to the given decimals (0 to 9).
ReportValue RoundTo(double value, int decimals);

// A result rounded to its uncertainty's decimal place, or to the fallback
// decimals when its uncertainty was not evaluated.
ReportValue RoundResult(double value, const std::optional<ExpandedUncertainty>& uncertainty,
                        int fallbackDecimals);

// The value with exactly its decimals, never "-0.0".
std::string FormatReportValue(const ReportValue& value);

}  // namespace tb::journal
