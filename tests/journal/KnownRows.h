// Two rows as programs of each row version wrote them, with the canonical
// text and chain value those programs computed. The journal never rewrites
// a row: whatever reads, hashes or exports rows must keep giving these.
#pragma once

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <string>
#include <vector>

#include "journal/JournalEntry.h"
#include "resources/StringIds.h"
#include "tests/support/JournalErrorPrinter.h"

namespace tb::journal::testing {

struct KnownRow {
    JournalEntry entry;
    std::string canonical;
};

inline std::vector<KnownRow> KnownRows() {
    JournalEntry first;
    first.id = 1;
    first.recordedUtc = "2026-11-02T05:00:00.000Z";
    first.utcOffsetMinutes = 540;
    first.operatorName = "tanaka";
    first.programVersion = "1.30";
    first.page = "820/821";
    first.model = "820/821";
    first.operation = "send";
    first.unitSerial = "0000001A";
    first.tempUnit = "C";
    first.channels = R"([{"as_left":{"a":1,"b":0.7},"name":"CH1"}])";
    first.outcome = "success";
    first.messageId = 1050;
    first.rowVersion = kRowVersionFirst;
    first.chain = "5a6ad17d575c11a89bee0660a680a41f537cf61df4ec3577a8b8ae39f826c3bd";

    JournalEntry second;
    second.id = 2;
    second.recordedUtc = "2026-12-09T02:15:10.123Z";
    second.utcOffsetMinutes = -300;
    second.operatorName = "佐藤";
    second.programVersion = "1.31";
    second.page = "870";
    second.model = "870";
    second.operation = "receive";
    second.loggerSerial = "00A1B2C3";
    second.tempUnit = "F";
    second.channels = R"([{"as_found":{"a":1.01,"b":-0.2},"name":"T1"},{"name":"RH"}])";
    second.outcome = "failure";
    second.messageId = 1048;
    second.resultCode = -7;
    second.historyEntry = "0A1B";
    second.rowVersion = 2;
    second.references = R"([{"certificate":"C-123","due":"2027-03-31","expired":false,"id":"PT100-07"}])";
    second.ambientC = "23.5";
    second.humidityPct = "45";
    second.chain = "6614eee329616850ca10c35ba82a65d12c3b00b7bb74864d194d03a3a0c2e27b";

    return {
        {first,
         R"(24:2026-11-02T05:00:00.000Z3:5406:tanaka4:1.307:820/8217:820/8214:send8:0000001A0:1:C)"
         R"(42:[{"as_left":{"a":1,"b":0.7},"name":"CH1"}]7:success4:10501:-0:)"},
        {second,
         R"(24:2026-12-09T02:15:10.123Z4:-3006:佐藤4:1.313:8703:8707:receive0:8:00A1B2C31:F)"
         R"(60:[{"as_found":{"a":1.01,"b":-0.2},"name":"T1"},{"name":"RH"}]7:failure4:10482:-74:0A1B)"
         R"(1:276:[{"certificate":"C-123","due":"2027-03-31","expired":false,"id":"PT100-07"}]4:23.52:45)"},
    };
}

// Stores the known rows with their own chain values, spelled out as the
// programs that wrote them did (the journal at the current schema, rows of
// version 1 leaving the later columns to their defaults). False with the
// reason.
inline bool StoreKnownRows(QSqlDatabase& db, tb::journal::JournalError& error) {
    for (const KnownRow& row : KnownRows()) {
        const JournalEntry& e = row.entry;
        const bool first = e.rowVersion == kRowVersionFirst;
        QSqlQuery insert(db);
        insert.prepare(QString::fromLatin1(
            "INSERT INTO journal (recorded_utc, utc_offset_min, operator, program_version, page, "
            "model, operation, unit_serial, logger_serial, temp_unit, channels, outcome, message_id, "
            "result_code, history_entry, chain%1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?%2)")
                           .arg(first ? "" : ", row_version, reference_list, ambient_c, humidity_pct",
                                first ? "" : ",?,?,?,?"));
        auto text = [](const std::string& value) { return QString::fromStdString(value); };
        const QVariantList values = {
            text(e.recordedUtc), e.utcOffsetMinutes, text(e.operatorName), text(e.programVersion),
            text(e.page), text(e.model), text(e.operation), text(e.unitSerial), text(e.loggerSerial),
            text(e.tempUnit), text(e.channels), text(e.outcome), e.messageId,
            e.resultCode ? QVariant(*e.resultCode) : QVariant(QMetaType::fromType<int>()),
            text(e.historyEntry), text(e.chain)};
        for (const QVariant& value : values) insert.addBindValue(value);
        if (!first) {
            for (const QVariant& value : QVariantList{e.rowVersion, text(e.references), text(e.ambientC),
                                                      text(e.humidityPct)})
                insert.addBindValue(value);
        }
        if (!insert.exec()) {
            error = {resources::strings::kMsgJournalCannotAppend, {insert.lastError().text().toStdString()}};
            return false;
        }
    }
    return true;
}

}  // namespace tb::journal::testing
