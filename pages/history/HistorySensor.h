// One sensor of a direct-USB page as its history operations and its list
// see it.
#pragma once

#include <array>

#include "pages/history/HistoryRecord.h"
#include "pages/history/SensorProfile.h"

namespace tb::history {

// The page's copy of one sensor's history: its four entries and the stored
// slope factors of its two channels.
struct SensorHistory {
    HistoryEntries entries{};
    std::array<double, 2> storedFactors{kNoAdjustmentFactor, kNoAdjustmentFactor};
};

// Everything the operations need about one sensor of one page.
struct HistorySensor {
    int sensor = 0;  // 0 or 1, the device's record
    int listId = 0;  // the sensor's list view on the page
    SensorProfile profile;
    SensorHistory state;
};

}  // namespace tb::history
