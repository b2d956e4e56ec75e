// A journal as the program left it before rows recorded references and
// ambient conditions: schema version 1 and rows of row version 1 with
// their chain, inserted as that program inserted them.
#pragma once

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <string>
#include <vector>

#include "journal/JournalChain.h"
#include "journal/JournalSchema.h"
#include "resources/StringIds.h"
#include "tests/journal/JournalSamples.h"
#include "tests/support/JournalErrorPrinter.h"

namespace tb::journal::testing {

// Lays out version 1 on an empty database and appends `count` rows;
// answers them, or nothing with the reason in error.
inline std::vector<JournalEntry> WriteVersionOneJournal(QSqlDatabase& db, Engine engine, int count,
                                                        tb::journal::JournalError& error) {
    std::vector<JournalEntry> rows;
    if (!MigrateSchemaTo(db, engine, 1, error)) return rows;
    std::string previous = kChainStart;
    for (int i = 0; i < count; ++i) {
        JournalEntry entry = SampleEntry("0000001A", "2026-11-0" + std::to_string(i + 1) + "T05:00:00.000Z");
        entry.rowVersion = kRowVersionFirst;
        entry.chain = ChainValue(previous, entry);
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral(
            "INSERT INTO journal (recorded_utc, utc_offset_min, operator, program_version, page, "
            "model, operation, unit_serial, logger_serial, temp_unit, channels, outcome, message_id, "
            "result_code, history_entry, chain) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        for (const std::string* text : {&entry.recordedUtc}) insert.addBindValue(QString::fromStdString(*text));
        insert.addBindValue(entry.utcOffsetMinutes);
        for (const std::string* text :
             {&entry.operatorName, &entry.programVersion, &entry.page, &entry.model, &entry.operation,
              &entry.unitSerial, &entry.loggerSerial, &entry.tempUnit, &entry.channels, &entry.outcome}) {
            insert.addBindValue(QString::fromStdString(*text));
        }
        insert.addBindValue(entry.messageId);
        insert.addBindValue(QVariant(QMetaType::fromType<int>()));
        insert.addBindValue(QString::fromStdString(entry.historyEntry));
        insert.addBindValue(QString::fromStdString(entry.chain));
        if (!insert.exec()) {
            error = {resources::strings::kMsgJournalCannotAppend, {insert.lastError().text().toStdString()}};
            return {};
        }
        entry.id = i + 1;
        previous = entry.chain;
        rows.push_back(entry);
    }
    return rows;
}

}  // namespace tb::journal::testing
