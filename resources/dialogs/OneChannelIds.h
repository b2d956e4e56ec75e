// Control ids of the one-channel temperature dialogs (820/821 and 890), used
// by their template and by the page behind them.
#pragma once

#include "resources/dialogs/PageButtonIds.h"

namespace tb::resources::one_channel {

inline constexpr int kGroup = 1112;
inline constexpr int kAdjustChannel = 1021;
inline constexpr int kCurrentLine = 1076;
inline constexpr int kOnePoint = 1015;
inline constexpr int kTwoPoint = 1026;
inline constexpr int kBeforeLabel = 1114;
inline constexpr int kAfterLabel = 1116;
inline constexpr int kBefore1 = 1016;
inline constexpr int kAfter1 = 1018;
inline constexpr int kBefore2 = 1019;
inline constexpr int kAfter2 = 1020;
inline constexpr int kUnitBefore1 = 1118;
inline constexpr int kUnitBefore2 = 1120;
inline constexpr int kUnitAfter1 = 1119;
inline constexpr int kUnitAfter2 = 1121;
using page_buttons::kInitialise;
using page_buttons::kSend;
using page_buttons::kReceive;
inline constexpr int kHelp = 1013;
// Characters an entry box takes.
inline constexpr int kEditLength = 6;

}  // namespace tb::resources::one_channel
