// Control ids of the direct-USB pages: dialog 129 (model 870) and dialog 135
// (model 875) share one layout, so they share one set of ids. The dialog
// templates and the pages both use these names.
#pragma once

#include "resources/dialogs/PageButtonIds.h"

namespace tb::resources::lgr87x_ids {

inline constexpr int kTabs = 1183;

// Left group: Ch.1 on the first tab; Ch.3 (870) or Ch.2 (875) on the second.
inline constexpr int kGroup1 = 1112;
inline constexpr int kGroup2 = 1113;
inline constexpr int kGroup3 = 1131;
inline constexpr int kGroup4 = 1140;
inline constexpr int kGroup[4] = {kGroup1, kGroup2, kGroup3, kGroup4};

// Channel rows in the order Ch.1, Ch.2, Ch.3, Ch.4 of the 870 page; the 875
// page uses the first row for Ch.1, the second for its hidden channel, and
// the last two for Ch.2 and Ch.3.
inline constexpr int kCheck[4] = {1021, 1017, 1169, 1170};
inline constexpr int kOnePoint[4] = {1015, 1027, 1032, 1038};
inline constexpr int kTwoPoint[4] = {1026, 1028, 1033, 1039};
inline constexpr int kBefore1[4] = {1016, 1022, 1034, 1040};
inline constexpr int kAfter1[4] = {1018, 1023, 1035, 1041};
inline constexpr int kBefore2[4] = {1019, 1024, 1036, 1042};
inline constexpr int kAfter2[4] = {1020, 1025, 1037, 1043};
// Unit texts beside before 1, after 1, before 2, after 2 of each row.
inline constexpr int kUnits[4][4] = {{1118, 1119, 1120, 1121},
                                     {1122, 1123, 1124, 1125},
                                     {1133, 1137, 1136, 1138},
                                     {1143, 1145, 1146, 1148}};

// Current-setting texts: model 870 Ch.1 to Ch.4; model 875 uses 1076 for
// Ch.1, 1075 for Ch.2, 1074 for Ch.3 and never shows 1073.
inline constexpr int kCurrent870[4] = {1076, 1075, 1073, 1072};
inline constexpr int kCurrent875Ch1 = 1076;
inline constexpr int kCurrent875Ch2 = 1075;
inline constexpr int kCurrent875Ch3 = 1074;
inline constexpr int kCurrent875Hidden = 1073;

// "調整前"/"調整後" heads and "--->" texts of the left and the right group.
inline constexpr int kHeadBeforeLeft = 1114;
inline constexpr int kHeadAfterLeft = 1116;
inline constexpr int kHeadBeforeRight = 1115;
inline constexpr int kHeadAfterRight = 1117;
inline constexpr int kArrowsLeft[2] = {1126, 1127};
inline constexpr int kArrowsRight[2] = {1128, 1129};

using page_buttons::kInitialise;
using page_buttons::kSend;
using page_buttons::kReceive;
inline constexpr int kHelp = 1013;

// History lists: the first tab's sensor, then the second's.
inline constexpr int kHistory870IU = 1163;
inline constexpr int kHistory875Co2 = 1003;
inline constexpr int kHistoryTH = 1162;

inline constexpr int kWideBoxLength = 6;    // illuminance, UV and CO2 boxes
inline constexpr int kNarrowBoxLength = 5;  // temperature and humidity boxes

}  // namespace tb::resources::lgr87x_ids
