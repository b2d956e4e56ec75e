#include "journal/CertificateDay.h"

#include <QDateTime>
#include <algorithm>

#include "journal/CsvExport.h"
#include "journal/JournalText.h"

namespace tb::journal {
namespace {

constexpr int kLatestBatch = 200;

bool IsAdjustment(const JournalEntry& entry) { return entry.operation != "receive"; }

}  // namespace

std::string UtcStartOf(const QDate& date, const QTimeZone& zone) {
    return QDateTime(date, QTime(0, 0), zone).toUTC().toString(Qt::ISODateWithMs).toStdString();
}

std::vector<JournalEntry> DayEntries(JournalStore& store, const JournalEntry& selected) {
    const QTimeZone zone(selected.utcOffsetMinutes * 60);
    const QDate day = QDate::fromString(QString::fromStdString(LocalDateText(selected)), Qt::ISODate);
    JournalFilter filter;
    filter.serial = IdentityText(selected);
    filter.model = selected.model;
    filter.fromUtc = UtcStartOf(day, zone);
    filter.toUtc = UtcStartOf(day.addDays(1), zone);
    std::vector<JournalEntry> entries;
    for (JournalEntry& entry : AllRows(store, filter)) {
        if (IsAdjustment(entry)) entries.push_back(std::move(entry));
    }
    if (entries.empty()) return {selected};
    std::reverse(entries.begin(), entries.end());
    return entries;
}

std::optional<JournalEntry> LatestAdjustment(JournalStore& store, const std::string& serial,
                                             const std::optional<QDate>& day) {
    JournalFilter filter;
    filter.serial = serial;
    if (day) {
        // A day as the bench names it: its own local day.
        const QTimeZone local = QTimeZone::systemTimeZone();
        filter.fromUtc = UtcStartOf(*day, local);
        filter.toUtc = UtcStartOf(day->addDays(1), local);
    }
    for (int64_t offset = 0;; offset += kLatestBatch) {
        const std::vector<JournalEntry> rows = store.Fetch(filter, offset, kLatestBatch);
        for (const JournalEntry& entry : rows)
            if (IsAdjustment(entry)) return entry;
        if (static_cast<int>(rows.size()) < kLatestBatch) return std::nullopt;
    }
}

}  // namespace tb::journal
