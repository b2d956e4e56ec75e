// The loggers whose next adjustment is due: the last successful send
// ("visit") of each logger (model and serial), plus the interval of its
// model, gives the day it is due again. The intervals come from the
// setting Journal/DueIntervals, days per model:
//
//   820=365; 870=180; *=365
//
// A model matches an entry by its name, or by one part of a page's name
// ("820" matches rows of "820/821"); "*" is every other model. A model
// without an entry and without "*" is never due. Without the setting
// every model is due after 365 days.
#pragma once

#include <QDate>
#include <optional>
#include <string>
#include <vector>

#include "journal/JournalError.h"
#include "journal/JournalStore.h"

namespace tb::journal {

inline constexpr const char* kDueIntervalsKey = "Journal/DueIntervals";
inline constexpr const char* kDefaultDueIntervals = "*=365";
inline constexpr int kMaxDueDays = 3650;
inline constexpr std::size_t kMaxDueIntervalsText = 1000;

struct DueInterval {
    std::string model;  // "*": every model without an entry of its own
    int days = 0;

    friend bool operator==(const DueInterval&, const DueInterval&) = default;
};

// The entries in the order given; nothing, with the reason, for a text
// that is not "MODEL=DAYS; ..." (each model once, 1..3650 days).
std::optional<std::vector<DueInterval>> ParseDueIntervals(const std::string& text, JournalError& error);

// The setting parsed (its default when not set).
std::optional<std::vector<DueInterval>> DueIntervalsSetting(JournalError& error);

// The interval of a row's model; nothing when no entry applies.
std::optional<int> IntervalOf(const std::vector<DueInterval>& intervals, const std::string& model);

struct DueLogger {
    std::string model;
    std::string serial;     // IdentityText of the visit
    QDate lastVisit;        // the bench's local day of the last successful send
    int intervalDays = 0;
    QDate due;              // lastVisit + intervalDays
    int daysLeft = 0;       // from today; negative when overdue

    friend bool operator==(const DueLogger&, const DueLogger&) = default;
};

// The loggers due within `withinDays` of `today` (overdue ones included),
// by due date, then model and serial; nothing, with the reason, when the
// journal cannot be read.
std::optional<std::vector<DueLogger>> DueLoggers(JournalStore& store,
                                                 const std::vector<DueInterval>& intervals,
                                                 const QDate& today, int withinDays, JournalError& error);

}  // namespace tb::journal
