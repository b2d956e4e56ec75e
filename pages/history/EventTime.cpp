#include "pages/history/EventTime.h"

#include <array>
#include <cstdio>
#include <ctime>

#include "app/Settings.h"

namespace tb::history {

namespace {

constexpr std::array<const char*, 12> kMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::size_t kMaxChars = 23;

std::string DatePart(const std::tm& local, int dateForm) {
    const int year = local.tm_year + 1900;
    const int month = local.tm_mon + 1;
    const int day = local.tm_mday;
    const char* name = kMonthNames[static_cast<std::size_t>(local.tm_mon) % kMonthNames.size()];
    char text[48];
    switch (dateForm) {
        case 1:
            std::snprintf(text, sizeof text, "%04d-%d-%d", year, month, day);
            break;
        case 2:
            std::snprintf(text, sizeof text, "%04d-%s-%d", year, name, day);
            break;
        case 3:
            std::snprintf(text, sizeof text, "%d-%d-%04d", month, day, year);
            break;
        case 4:
            std::snprintf(text, sizeof text, "%s-%d-%04d", name, day, year);
            break;
        case 5:
            std::snprintf(text, sizeof text, "%d-%d-%04d", day, month, year);
            break;
        case 6:
            std::snprintf(text, sizeof text, "%d-%s-%04d", day, name, year);
            break;
        default:
            std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
            break;
    }
    return text;
}

}  // namespace

std::string FormatEventTime(int32_t time, int dateForm) {
    const std::time_t seconds = time;
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) return {};
    char clock[16];
    std::snprintf(clock, sizeof clock, " %02d:%02d:%02d", local.tm_hour, local.tm_min,
                  local.tm_sec);
    std::string text = DatePart(local, dateForm) + clock;
    if (text.size() > kMaxChars) text.resize(kMaxChars);
    return text;
}

std::string FormatEventTime(int32_t time) { return FormatEventTime(time, app::ReadDateForm()); }

}  // namespace tb::history
