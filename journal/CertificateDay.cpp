#include "journal/CertificateDay.h"

#include <QDateTime>
#include <QStringList>
#include <algorithm>

#include "journal/JournalRows.h"
#include "journal/JournalText.h"

namespace tb::journal {
namespace {

constexpr int kLatestBatch = 200;

bool IsAdjustment(const JournalEntry& entry) { return entry.operation != "receive"; }

}  // namespace

std::string UtcStartOf(const QDate& date, const QTimeZone& zone) {
    return QDateTime(date, QTime(0, 0), zone).toUTC().toString(Qt::ISODateWithMs).toStdString();
}

std::optional<std::vector<JournalEntry>> DayEntries(JournalStore& store,
                                                    const JournalEntry& selected,
                                                    JournalError& error) {
    const QTimeZone zone(selected.utcOffsetMinutes * 60);
    const QDate day = QDate::fromString(QString::fromStdString(LocalDateText(selected)), Qt::ISODate);
    JournalFilter filter;
    filter.serial = IdentityText(selected);
    filter.model = selected.model;
    filter.fromUtc = UtcStartOf(day, zone);
    filter.toUtc = UtcStartOf(day.addDays(1), zone);
    auto rows = AllRows(store, filter, error);
    if (!rows) return std::nullopt;
    std::vector<JournalEntry> entries;
    for (JournalEntry& entry : *rows) {
        if (IsAdjustment(entry)) entries.push_back(std::move(entry));
    }
    if (entries.empty()) return std::vector<JournalEntry>{selected};
    std::reverse(entries.begin(), entries.end());
    return entries;
}

std::optional<std::vector<JournalEntry>> CertificateRows(JournalStore& store,
                                                         const JournalEntry& selected, bool wholeDay,
                                                         JournalError& error) {
    if (!wholeDay) return std::vector<JournalEntry>{selected};
    return DayEntries(store, selected, error);
}

std::optional<JournalEntry> LatestAdjustment(JournalStore& store, const std::string& serial,
                                             const std::optional<QDate>& day, JournalError& error) {
    JournalFilter filter;
    filter.serial = serial;
    if (day) {
        // A day as the bench names it: its own local day.
        const QTimeZone local = QTimeZone::systemTimeZone();
        filter.fromUtc = UtcStartOf(*day, local);
        filter.toUtc = UtcStartOf(day->addDays(1), local);
    }
    error = {};
    RowPager pager(store, filter, kLatestBatch);
    for (;;) {
        const auto rows = pager.Next(error);
        if (!rows || rows->empty()) return std::nullopt;
        for (const JournalEntry& entry : *rows)
            if (IsAdjustment(entry)) return entry;
    }
}

std::optional<CertificateSeal> SealForNumber(JournalStore& store, const std::string& number,
                                             JournalError& error) {
    error = {};
    // "TB-<newest row id>-<digest>"
    const QStringList parts = QString::fromStdString(number).split('-');
    bool ok = false;
    const qlonglong newest = parts.size() == 3 ? parts[1].toLongLong(&ok) : 0;
    if (!ok || newest <= 0 || parts[0] != QLatin1String("TB")) return std::nullopt;
    const auto row = store.Entry(newest);
    if (!row) return std::nullopt;
    std::vector<std::vector<JournalEntry>> candidates = {{*row}};
    if (IsAdjustment(*row)) {
        auto day = DayEntries(store, *row, error);
        if (!day) return std::nullopt;
        std::erase_if(*day, [&](const JournalEntry& entry) { return entry.id > newest; });
        candidates.push_back(std::move(*day));
    }
    for (const auto& rows : candidates) {
        CertificateSeal seal = SealOf(rows);
        if (seal.number == number) return seal;
    }
    return std::nullopt;
}

}  // namespace tb::journal
