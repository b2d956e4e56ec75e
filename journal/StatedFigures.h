// Figures a lab states per channel in its settings: the expanded
// uncertainty of its calibrations (Journal/Uncertainty) and the maximum
// permissible error it judges conformity against (Journal/Tolerance).
//
//   "°C=0.10; %RH=1.5 (k=2); CH2=±0.2 %RH; *=0.5"
//
// A key is a channel's unit as records name it (°C, °F, %RH, V, mA, dB, lx,
// mW/cm², ppm), a channel's name, or * for every other channel; the value is
// a positive number, optionally with a ±, the key's unit and a coverage
// factor. A figure stated in °C also serves a channel read in °F.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "journal/JournalError.h"

namespace tb::journal {

// More entries than any lab states; a setting naming more is refused.
inline constexpr std::size_t kMaxStatedFigures = 64;

struct StatedFigure {
    std::string key;
    double value = 0.0;
    double coverageFactor = 2.0;
};

// The figures of a setting's text; an empty text states none. A part that
// does not read as above is refused with the setting's name and the part.
std::optional<std::vector<StatedFigure>> ParseStatedFigures(std::string_view text,
                                                            const std::string& setting,
                                                            JournalError& error);

// The figure for a channel, in the channel's unit: by its name, then its
// unit, then (for °F) a figure in °C converted, then *. Nothing when none applies.
std::optional<StatedFigure> FigureFor(const std::vector<StatedFigure>& figures,
                                      const std::string& channelName, const std::string& unit);

}  // namespace tb::journal
