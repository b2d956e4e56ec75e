// The date and time of a history event as the list and the log file show it.
#pragma once

#include <cstdint>
#include <string>

namespace tb::history {

// Local calendar date in the layout of `dateForm` (0 to 6; anything else is
// taken as 0) followed by " hh:mm:ss": 0 "2024-05-06", 1 "2024-5-6",
// 2 "2024-May-6", 3 "5-6-2024", 4 "May-6-2024", 5 "6-5-2024", 6 "6-May-2024".
// At most 23 characters; empty when the time has no local calendar date.
std::string FormatEventTime(int32_t time, int dateForm);
// The same in the DateForm of the settings store.
std::string FormatEventTime(int32_t time);

}  // namespace tb::history
