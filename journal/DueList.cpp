#include "journal/DueList.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "journal/JournalRows.h"
#include "journal/JournalText.h"
#include "resources/StringIds.h"
#include "services/Settings.h"

namespace tb::journal {
namespace {

using namespace resources::strings;

constexpr qsizetype kMaxModelLength = 32;

// One "MODEL=DAYS" entry; nothing, with the reason, when it is not one.
std::optional<DueInterval> ParseEntry(const QString& entry, JournalError& error) {
    const QStringList parts = entry.split('=');
    const QString model = parts.value(0).trimmed();
    const QString days = parts.value(1).trimmed();
    if (parts.size() != 2 || model.isEmpty() || model.size() > kMaxModelLength || days.isEmpty()) {
        error = {kMsgDueEntryMalformed, {entry.trimmed().left(kMaxModelLength * 2).toStdString()}};
        return std::nullopt;
    }
    bool number = false;
    const int value = days.toInt(&number);
    const bool digitsOnly = std::all_of(days.begin(), days.end(), [](QChar c) { return c.isDigit(); });
    if (!number || !digitsOnly || value < 1 || value > kMaxDueDays) {
        error = {kMsgDueDaysOutOfRange, {model.toStdString(), days.left(kMaxModelLength).toStdString()}};
        return std::nullopt;
    }
    return DueInterval{model.toStdString(), value};
}

// The local day of a row, "YYYY-MM-DD" as the window shows it.
QDate VisitDay(const JournalEntry& entry) {
    return QDate::fromString(QString::fromStdString(LocalDateText(entry)), Qt::ISODate);
}

// Each logger's newest successful send; rows come newest first.
std::optional<std::map<std::pair<std::string, std::string>, QDate>> LastVisits(JournalStore& store,
                                                                               JournalError& error) {
    JournalFilter filter;
    filter.outcome = kOutcomeSuccess;
    RowPager pager(store, filter);
    std::map<std::pair<std::string, std::string>, QDate> visits;
    for (;;) {
        const auto batch = pager.Next(error);
        if (!batch) return std::nullopt;
        if (batch->empty()) return visits;
        for (const JournalEntry& entry : *batch) {
            const QDate day = VisitDay(entry);
            if (entry.operation != "send" || !day.isValid()) continue;
            visits.try_emplace({entry.model, IdentityText(entry)}, day);
        }
    }
}

}  // namespace

std::optional<std::vector<DueInterval>> ParseDueIntervals(const std::string& text, JournalError& error) {
    error = {};
    if (text.size() > kMaxDueIntervalsText) {
        error = {kMsgDueIntervalsTooLong};
        return std::nullopt;
    }
    std::vector<DueInterval> intervals;
    std::set<std::string> seen;
    for (const QString& entry : QString::fromStdString(text).split(';')) {
        auto interval = ParseEntry(entry, error);
        if (!interval) return std::nullopt;
        if (!seen.insert(interval->model).second) {
            error = {kMsgDueModelTwice, {interval->model}};
            return std::nullopt;
        }
        intervals.push_back(std::move(*interval));
    }
    return intervals;
}

std::optional<std::vector<DueInterval>> DueIntervalsSetting(JournalError& error) {
    return ParseDueIntervals(services::ReadSettingText(kDueIntervalsKey, kDefaultDueIntervals), error);
}

std::optional<int> IntervalOf(const std::vector<DueInterval>& intervals, const std::string& model) {
    const QStringList parts = QString::fromStdString(model).split('/');
    auto find = [&](auto matches) -> std::optional<int> {
        for (const DueInterval& interval : intervals)
            if (matches(interval.model)) return interval.days;
        return std::nullopt;
    };
    if (auto days = find([&](const std::string& name) { return name == model; })) return days;
    if (auto days = find([&](const std::string& name) { return parts.contains(QString::fromStdString(name)); }))
        return days;
    return find([](const std::string& name) { return name == "*"; });
}

std::optional<std::vector<DueLogger>> DueLoggers(JournalStore& store,
                                                 const std::vector<DueInterval>& intervals,
                                                 const QDate& today, int withinDays, JournalError& error) {
    error = {};
    const auto visits = LastVisits(store, error);
    if (!visits) return std::nullopt;
    std::vector<DueLogger> due;
    for (const auto& [logger, lastVisit] : *visits) {
        const std::optional<int> interval = IntervalOf(intervals, logger.first);
        if (!interval) continue;
        DueLogger entry{logger.first, logger.second, lastVisit, *interval, lastVisit.addDays(*interval), 0};
        entry.daysLeft = static_cast<int>(today.daysTo(entry.due));
        if (entry.daysLeft <= withinDays) due.push_back(std::move(entry));
    }
    std::sort(due.begin(), due.end(), [](const DueLogger& a, const DueLogger& b) {
        return std::tie(a.due, a.model, a.serial) < std::tie(b.due, b.model, b.serial);
    });
    return due;
}

}  // namespace tb::journal
