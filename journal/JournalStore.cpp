#include "journal/JournalStore.h"

#include <QSqlRecord>
#include <QVariant>

#include "journal/JournalChain.h"
#include "journal/JournalColumns.h"
#include "journal/JournalError.h"
#include "journal/JournalSql.h"
#include "resources/StringIds.h"

namespace tb::journal {
namespace {

using namespace resources::strings;

// Any constant: every program appending to one PostgreSQL journal takes it.
constexpr qint64 kAppendLockKey = 0x54424A524E4CLL;
constexpr int kVerifyBatch = 2000;

JournalEntry EntryFromQuery(const QSqlQuery& query) {
    JournalEntry entry;
    int at = 0;
    for (const JournalColumn& column : JournalColumns()) ReadColumn(column, query.value(at++), entry);
    return entry;
}

// The WHERE clause of a filter and its values, in order.
struct Condition {
    QString sql;
    QVariantList values;
};

// The rows whose recorded references (a JSON array of objects, or empty)
// name the identifier bound to it.
QString ReferenceCondition(Engine engine) {
    if (engine == Engine::Postgres) {
        return QStringLiteral(
            "CASE WHEN reference_list LIKE '[%' THEN reference_list::jsonb @> "
            "jsonb_build_array(jsonb_build_object('id', ?::text)) ELSE false END");
    }
    // The members named "id" of the array's objects; a text that is not
    // JSON names nothing.
    return QStringLiteral(
        "EXISTS (SELECT 1 FROM json_tree(CASE WHEN json_valid(reference_list) THEN reference_list "
        "ELSE '[]' END) AS node WHERE node.key = 'id' AND node.path GLOB '$[[]*]' "
        "AND node.atom = ?)");
}

Condition WhereOf(const JournalFilter& filter, Engine engine) {
    QStringList parts;
    Condition condition;
    if (!filter.serial.empty()) {
        // One index look-up per column: with an OR the engine may walk the
        // whole table in key order instead.
        parts << QStringLiteral(
            "id IN (SELECT id FROM journal WHERE unit_serial = ? "
            "UNION ALL SELECT id FROM journal WHERE logger_serial = ?)");
        condition.values << SqlText(filter.serial) << SqlText(filter.serial);
    }
    if (!filter.model.empty() && !filter.pageModel.empty() && filter.pageModel != filter.model) {
        parts << QStringLiteral("model IN (?, ?)");
        condition.values << SqlText(filter.model) << SqlText(filter.pageModel);
    } else if (!filter.model.empty()) {
        parts << QStringLiteral("model = ?");
        condition.values << SqlText(filter.model);
    }
    if (!filter.fromUtc.empty()) {
        parts << QStringLiteral("recorded_utc >= ?");
        condition.values << SqlText(filter.fromUtc);
    }
    if (!filter.toUtc.empty()) {
        parts << QStringLiteral("recorded_utc < ?");
        condition.values << SqlText(filter.toUtc);
    }
    if (!filter.outcome.empty()) {
        parts << QStringLiteral("outcome = ?");
        condition.values << SqlText(filter.outcome);
    }
    if (!filter.reference.empty()) {
        parts << ReferenceCondition(engine);
        condition.values << SqlText(filter.reference);
    }
    if (!parts.isEmpty()) condition.sql = QStringLiteral(" WHERE ") + parts.join(" AND ");
    return condition;
}

}  // namespace

bool JournalStore::BeginAppend(JournalError& error) {
    if (engine_ == Engine::Sqlite)
        return Exec(db_, QStringLiteral("BEGIN IMMEDIATE"), kMsgJournalCannotAppend, error);
    if (!Exec(db_, QStringLiteral("BEGIN"), kMsgJournalCannotAppend, error)) return false;
    QSqlQuery lock(db_);
    lock.prepare(QStringLiteral("SELECT pg_advisory_xact_lock(?)"));
    lock.addBindValue(kAppendLockKey);
    if (lock.exec()) return true;
    JournalError ignored;
    Exec(db_, QStringLiteral("ROLLBACK"), kMsgJournalCannotAppend, ignored);
    error = ErrorOf(kMsgJournalCannotAppend, lock);
    return false;
}

std::optional<std::string> JournalStore::LastChain(JournalError& error) {
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("SELECT chain FROM journal ORDER BY id DESC LIMIT 1"))) {
        error = ErrorOf(kMsgJournalCannotAppend, query);
        return std::nullopt;
    }
    return query.next() ? query.value(0).toString().toStdString() : std::string(kChainStart);
}

bool JournalStore::Append(JournalEntry& entry, JournalError& error) {
    if (!db_.isOpen()) {
        error = {kMsgJournalNotOpen};
        return false;
    }
    if (!BeginAppend(error)) return false;
    auto fail = [&](JournalError reason) {
        JournalError ignored;
        Exec(db_, QStringLiteral("ROLLBACK"), kMsgJournalCannotAppend, ignored);
        error = std::move(reason);
        return false;
    };
    std::optional<std::string> previous = LastChain(error);
    if (!previous) return fail(error);
    entry.chain = ChainValue(*previous, entry);

    QSqlQuery insert(db_);
    insert.prepare(InsertStatement());
    for (const QVariant& value : InsertValues(entry)) insert.addBindValue(value);
    if (!insert.exec() || !insert.next()) return fail(ErrorOf(kMsgJournalCannotAppend, insert));
    const int64_t id = insert.value(0).toLongLong();
    insert.finish();
    if (!Exec(db_, QStringLiteral("COMMIT"), kMsgJournalCannotAppend, error)) return fail(error);
    entry.id = id;
    return true;
}

std::optional<int64_t> JournalStore::Count(const JournalFilter& filter) {
    const Condition where = WhereOf(filter, engine_);
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM journal") + where.sql);
    for (const QVariant& value : where.values) query.addBindValue(value);
    if (!query.exec() || !query.next()) return std::nullopt;
    return query.value(0).toLongLong();
}

std::vector<JournalEntry> JournalStore::Fetch(const JournalFilter& filter, int64_t offset,
                                              int limit) {
    std::vector<JournalEntry> entries;
    const Condition where = WhereOf(filter, engine_);
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM journal%2 ORDER BY id DESC LIMIT ? OFFSET ?")
                      .arg(SelectedColumns(), where.sql));
    for (const QVariant& value : where.values) query.addBindValue(value);
    query.addBindValue(limit);
    query.addBindValue(static_cast<qlonglong>(offset));
    if (!query.exec()) return entries;
    while (query.next()) entries.push_back(EntryFromQuery(query));
    return entries;
}

std::optional<std::vector<JournalEntry>> JournalStore::ReadBefore(
    const JournalFilter& filter, std::optional<int64_t> beforeId, int limit, JournalError& error) {
    Condition where = WhereOf(filter, engine_);
    if (beforeId) {
        where.sql += where.sql.isEmpty() ? QStringLiteral(" WHERE id < ?") : QStringLiteral(" AND id < ?");
        where.values << static_cast<qlonglong>(*beforeId);
    }
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM journal%2 ORDER BY id DESC LIMIT ?")
                      .arg(SelectedColumns(), where.sql));
    for (const QVariant& value : where.values) query.addBindValue(value);
    query.addBindValue(limit);
    if (!query.exec()) {
        error = ErrorOf(kMsgJournalCannotRead, query);
        return std::nullopt;
    }
    std::vector<JournalEntry> entries;
    while (query.next()) entries.push_back(EntryFromQuery(query));
    // A connection lost halfway ends the loop early: that is no short page.
    if (query.lastError().isValid()) {
        error = ErrorOf(kMsgJournalCannotRead, query);
        return std::nullopt;
    }
    return entries;
}

std::optional<JournalEntry> JournalStore::Entry(int64_t id) {
    QSqlQuery query(db_);
    query.prepare(
        QStringLiteral("SELECT %1 FROM journal WHERE id = ?").arg(SelectedColumns()));
    query.addBindValue(static_cast<qlonglong>(id));
    if (!query.exec() || !query.next()) return std::nullopt;
    return EntryFromQuery(query);
}

std::vector<std::string> JournalStore::Models() {
    std::vector<std::string> models;
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("SELECT DISTINCT model FROM journal ORDER BY model"))) {
        return models;
    }
    while (query.next()) models.push_back(query.value(0).toString().toStdString());
    return models;
}

VerifyReport JournalStore::Verify() {
    VerifyReport report;
    std::string previous = kChainStart;
    int64_t after = 0;
    for (;;) {
        QSqlQuery query(db_);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT %1 FROM journal WHERE id > ? ORDER BY id LIMIT ?")
                          .arg(SelectedColumns()));
        query.addBindValue(static_cast<qlonglong>(after));
        query.addBindValue(kVerifyBatch);
        if (!query.exec()) {
            report.readable = false;
            report.error = ErrorOf(kMsgJournalCannotRead, query);
            return report;
        }
        int inBatch = 0;
        while (query.next()) {
            const JournalEntry entry = EntryFromQuery(query);
            ++inBatch;
            ++report.rows;
            after = entry.id;
            if (ChainValue(previous, entry) != entry.chain) {
                report.firstBroken = entry.id;
                return report;
            }
            previous = entry.chain;
        }
        // A read that stops on an error (a connection lost, a damaged page)
        // also ends the loop: the rows not read were never checked.
        if (query.lastError().isValid()) {
            report.readable = false;
            report.error = ErrorOf(kMsgJournalCannotRead, query);
            return report;
        }
        if (inBatch < kVerifyBatch) return report;
    }
}

}  // namespace tb::journal
