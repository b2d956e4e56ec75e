// The journal the journal's benchmarks measure on: rows of 50 units of the
// 820/821 and the 890, every 200th a visit of one drifting 820/821 (500
// visits in 100 000 rows), written with their chain in one transaction.
#pragma once

#include <QDateTime>
#include <QSqlQuery>
#include <QTimeZone>
#include <string>

#include "journal/JournalChain.h"
#include "journal/JournalColumns.h"
#include "journal/JournalStore.h"
#include "pages/OperationRecord.h"

namespace tb::bench {

// Every kDriftEvery-th row is a visit of the drifting logger.
inline constexpr int kDriftEvery = 200;
inline constexpr const char* kDriftSerial = "00D1F700";

inline journal::JournalEntry BenchEntry(int i) {
    pages::AdjustmentRecord record;
    record.page = record.model = i % 3 == 0 ? "890" : "820/821";
    record.unitSerial = "00A1" + std::to_string(1000 + i % 50);
    const bool drifting = i % kDriftEvery == 0;
    if (drifting) {
        record.page = record.model = "820/821";
        record.unitSerial = kDriftSerial;
    }
    pages::ChannelRecord channel;
    channel.name = "CH1";
    channel.unit = pages::kUnitCelsius;
    channel.asFound = pages::Correction{1.0 + (drifting ? i / kDriftEvery * 0.0001 : 0.0), 0.4};
    channel.enteredPoints = {"25.0", "25.3"};
    channel.entered = pages::Correction{1.0, 0.3};
    channel.composed = channel.asLeft = pages::Correction{1.0, 0.7};
    channel.limits = pages::LimitsRecord(pages::CheckKind::Celsius);
    record.channels = {channel};
    record.success = i % 7 != 0;
    record.messageId = record.success ? 1050 : 1048;
    const QDateTime at = QDateTime(QDate(2025, 1, 1), QTime(0, 0), QTimeZone::utc()).addSecs(i * 300LL);
    return journal::EntryFromRecord(
        record, {at.toString(Qt::ISODateWithMs).toStdString(), 540, "bench", "1.31"});
}

// Writes rows 0..rows-1 with their chain in one transaction (the fast way
// to a large journal; the program appends one row per operation).
inline void FillJournal(journal::JournalStore& store, int rows) {
    QSqlDatabase& db = store.Database();
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(journal::InsertStatement());
    std::string previous = journal::kChainStart;
    for (int i = 0; i < rows; ++i) {
        journal::JournalEntry e = BenchEntry(i);
        e.chain = journal::ChainValue(previous, e);
        previous = e.chain;
        for (const QVariant& v : journal::InsertValues(e)) insert.addBindValue(v);
        insert.exec();
        insert.finish();  // the INSERT answers the new key: done with it before the commit
    }
    db.commit();
}

}  // namespace tb::bench
