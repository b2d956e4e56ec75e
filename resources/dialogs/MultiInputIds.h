// Control ids of the multi-input dialog 130 (850), used by its template and
// its page. The channel's ids are those of the one-channel pages; the
// input-kind radio row is its own.
#pragma once

#include "resources/dialogs/PageButtonIds.h"

namespace tb::resources::multi_input {

// Input kind, a radio group led by kThermocouple.
inline constexpr int kThermocouple = 1002;
inline constexpr int kResistance = 1003;
inline constexpr int kCurrentLoop = 1004;
inline constexpr int kVoltage = 1005;
inline constexpr int kNoiseVibration = 1006;

inline constexpr int kGroup = 1112;
inline constexpr int kAdjust = 1021;
inline constexpr int kCurrentLine = 1076;
inline constexpr int kOnePoint = 1015;
inline constexpr int kTwoPoint = 1026;
inline constexpr int kHeadingBefore = 1114;
inline constexpr int kHeadingAfter = 1116;
inline constexpr int kBefore1 = 1016;
inline constexpr int kAfter1 = 1018;
inline constexpr int kBefore2 = 1019;
inline constexpr int kAfter2 = 1020;
inline constexpr int kUnitBefore1 = 1118;
inline constexpr int kUnitAfter1 = 1119;
inline constexpr int kUnitBefore2 = 1120;
inline constexpr int kUnitAfter2 = 1121;

using page_buttons::kInitialise;
using page_buttons::kSend;
using page_buttons::kReceive;
inline constexpr int kHelp = 1013;

inline constexpr int kEditLength = 7;

}  // namespace tb::resources::multi_input
