// Control ids of the temperature/humidity dialogs 134 (830) and 136 (835),
// used by their templates and by their pages. Channel 1 (temperature) has
// the ids of the one-channel pages; channel 2 (humidity) its own.
#pragma once

#include "resources/dialogs/PageButtonIds.h"

namespace tb::resources::temp_humidity {

// Channel 1, temperature.
inline constexpr int kGroup1 = 1112;
inline constexpr int kAdjust1 = 1021;
inline constexpr int kCurrentLine1 = 1076;
inline constexpr int kOnePoint1 = 1015;
inline constexpr int kTwoPoint1 = 1026;
inline constexpr int kHeadingBefore1 = 1114;
inline constexpr int kHeadingAfter1 = 1116;
inline constexpr int kBefore1Row1 = 1016;
inline constexpr int kAfter1Row1 = 1018;
inline constexpr int kBefore1Row2 = 1019;
inline constexpr int kAfter1Row2 = 1020;
inline constexpr int kUnitBefore1Row1 = 1118;
inline constexpr int kUnitAfter1Row1 = 1119;
inline constexpr int kUnitBefore1Row2 = 1120;
inline constexpr int kUnitAfter1Row2 = 1121;

// Channel 2, humidity.
inline constexpr int kGroup2 = 1113;
inline constexpr int kAdjust2 = 1017;
inline constexpr int kCurrentLine2 = 1075;
inline constexpr int kOnePoint2 = 1027;
inline constexpr int kTwoPoint2 = 1028;
inline constexpr int kHeadingBefore2 = 1115;
inline constexpr int kHeadingAfter2 = 1117;
inline constexpr int kBefore2Row1 = 1022;
inline constexpr int kAfter2Row1 = 1023;
inline constexpr int kBefore2Row2 = 1024;
inline constexpr int kAfter2Row2 = 1025;
inline constexpr int kUnitBefore2Row1 = 1122;
inline constexpr int kUnitAfter2Row1 = 1123;
inline constexpr int kUnitBefore2Row2 = 1124;
inline constexpr int kUnitAfter2Row2 = 1125;

using page_buttons::kInitialise;
using page_buttons::kSend;
using page_buttons::kReceive;
inline constexpr int kHelp = 1013;

inline constexpr int kEditLength = 6;

}  // namespace tb::resources::temp_humidity
