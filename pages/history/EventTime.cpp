#include "pages/history/EventTime.h"

#include <array>
#include <cstdio>
#include <ctime>

#include "services/FormatText.h"
#include "services/Settings.h"

namespace tb::history {

namespace {

constexpr std::array<const char*, 12> kMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::size_t kMaxChars = 23;

enum class Field { Year, Month, MonthName, Day };

struct DateLayout {
    const char* format;
    std::array<Field, 3> fields;
};

// By DateForm; any other number takes the first.
constexpr std::array<DateLayout, 7> kDateLayouts{{
    {"%04d-%02d-%02d", {Field::Year, Field::Month, Field::Day}},
    {"%04d-%d-%d", {Field::Year, Field::Month, Field::Day}},
    {"%04d-%s-%d", {Field::Year, Field::MonthName, Field::Day}},
    {"%d-%d-%04d", {Field::Month, Field::Day, Field::Year}},
    {"%s-%d-%04d", {Field::MonthName, Field::Day, Field::Year}},
    {"%d-%d-%04d", {Field::Day, Field::Month, Field::Year}},
    {"%d-%s-%04d", {Field::Day, Field::MonthName, Field::Year}},
}};

services::FormatArg FieldOf(const std::tm& local, Field field) {
    switch (field) {
        case Field::Year:
            return local.tm_year + 1900;
        case Field::Month:
            return local.tm_mon + 1;
        case Field::MonthName:
            return kMonthNames[static_cast<std::size_t>(local.tm_mon) % kMonthNames.size()];
        default:
            return local.tm_mday;
    }
}

std::string DatePart(const std::tm& local, int dateForm) {
    const bool known = dateForm >= 0 && dateForm < static_cast<int>(kDateLayouts.size());
    const DateLayout& layout = kDateLayouts[known ? static_cast<std::size_t>(dateForm) : 0];
    return services::FormatText(layout.format, {FieldOf(local, layout.fields[0]),
                                           FieldOf(local, layout.fields[1]),
                                           FieldOf(local, layout.fields[2])});
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

std::string FormatEventTime(int32_t time) {
    return FormatEventTime(time, services::ReadDateForm());
}

}  // namespace tb::history
