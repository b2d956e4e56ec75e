#include "journal/JournalStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <atomic>

#include "journal/JournalChain.h"
#include "journal/JournalColumns.h"

namespace tb::journal {
namespace {

// Any constant: every program appending to one PostgreSQL journal takes it.
constexpr qint64 kAppendLockKey = 0x54424A524E4CLL;
constexpr int kBusyTimeoutMs = 5000;
constexpr int kVerifyBatch = 2000;

QString NextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("tb-journal-%1").arg(counter.fetch_add(1));
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

std::string ErrorOf(const QSqlQuery& query) { return query.lastError().text().toStdString(); }

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

Condition WhereOf(const JournalFilter& filter) {
    QStringList parts;
    Condition condition;
    if (!filter.serial.empty()) {
        // One index look-up per column: with an OR the engine may walk the
        // whole table in key order instead.
        parts << QStringLiteral(
            "id IN (SELECT id FROM journal WHERE unit_serial = ? "
            "UNION ALL SELECT id FROM journal WHERE logger_serial = ?)");
        condition.values << Text(filter.serial) << Text(filter.serial);
    }
    if (!filter.model.empty() && !filter.pageModel.empty() && filter.pageModel != filter.model) {
        parts << QStringLiteral("model IN (?, ?)");
        condition.values << Text(filter.model) << Text(filter.pageModel);
    } else if (!filter.model.empty()) {
        parts << QStringLiteral("model = ?");
        condition.values << Text(filter.model);
    }
    if (!filter.fromUtc.empty()) {
        parts << QStringLiteral("recorded_utc >= ?");
        condition.values << Text(filter.fromUtc);
    }
    if (!filter.toUtc.empty()) {
        parts << QStringLiteral("recorded_utc < ?");
        condition.values << Text(filter.toUtc);
    }
    if (!filter.outcome.empty()) {
        parts << QStringLiteral("outcome = ?");
        condition.values << Text(filter.outcome);
    }
    if (!parts.isEmpty()) condition.sql = QStringLiteral(" WHERE ") + parts.join(" AND ");
    return condition;
}

bool Exec(QSqlDatabase& db, const QString& sql, std::string& error) {
    QSqlQuery query(db);
    if (query.exec(sql)) return true;
    error = ErrorOf(query);
    return false;
}

bool ContainsPassword(const std::string& options) {
    return QString::fromStdString(options).contains(QStringLiteral("password"),
                                                    Qt::CaseInsensitive);
}

}  // namespace

JournalStore::JournalStore(const QString& connectionName, Engine engine)
    : db_(QSqlDatabase::database(connectionName, false)),
      connectionName_(connectionName),
      engine_(engine) {}

JournalStore::~JournalStore() {
    // A bench's commits may still sit in the write-ahead log: fold them into
    // the main file, so that the file alone is the whole journal once the
    // program has closed it (a copy, a backup, an operating-system crash).
    if (engine_ == Engine::Sqlite && db_.isOpen()) {
        std::string ignored;
        Exec(db_, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), ignored);
    }
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

std::unique_ptr<JournalStore> JournalStore::Prepare(const QString& connectionName, Engine engine,
                                                    std::string& error) {
    std::unique_ptr<JournalStore> store(new JournalStore(connectionName, engine));
    QSqlDatabase& open = store->db_;
    if (!open.open()) {
        error = open.lastError().text().toStdString();
        return nullptr;
    }
    if (engine == Engine::Sqlite) {
        // WAL keeps readers (the window) off the writer's way. With NORMAL a
        // commit does not wait for the disk: a program crash loses nothing
        // and the file is never corrupt; only an operating-system crash or
        // a power cut can drop the rows committed since the last checkpoint
        // (the adjustment itself stays in the logger). Closing checkpoints.
        QSqlQuery mode(open);
        if (!mode.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !mode.next() ||
            mode.value(0).toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0) {
            error = mode.lastError().isValid() ? ErrorOf(mode) : "cannot switch the journal to WAL";
            return nullptr;
        }
        if (!Exec(open, QStringLiteral("PRAGMA synchronous=NORMAL"), error)) return nullptr;
    }
    if (!MigrateSchema(open, engine, error)) return nullptr;
    return store;
}

// Adds a connection of driver, configured by setup; empty name when the
// driver is missing.
template <typename Setup>
QString AddConnection(const QString& driver, Setup setup) {
    const QString name = NextConnectionName();
    bool valid = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, name);
        valid = db.isValid();
        if (valid) setup(db);
    }
    if (valid) return name;
    QSqlDatabase::removeDatabase(name);
    return {};
}

std::unique_ptr<JournalStore> JournalStore::OpenSqlite(const std::string& path,
                                                       std::string& error) {
    if (path.empty()) {
        error = "no data folder for the journal";
        return nullptr;
    }
    const QString name = AddConnection(QStringLiteral("QSQLITE"), [&](QSqlDatabase& db) {
        db.setDatabaseName(Text(path));
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    });
    if (name.isEmpty()) {
        error = "the SQLite driver of Qt SQL is not installed";
        return nullptr;
    }
    return Prepare(name, Engine::Sqlite, error);
}

std::unique_ptr<JournalStore> JournalStore::OpenPostgres(const std::string& options,
                                                         std::string& error) {
    if (ContainsPassword(options)) {
        error = "the journal connection must not hold a password; use the password file";
        return nullptr;
    }
    const QString name = AddConnection(QStringLiteral("QPSQL"), [&](QSqlDatabase& db) {
        db.setConnectOptions(Text(options));
    });
    if (name.isEmpty()) {
        error = "the PostgreSQL driver of Qt SQL is not installed";
        return nullptr;
    }
    return Prepare(name, Engine::Postgres, error);
}

bool JournalStore::BeginAppend(std::string& error) {
    if (engine_ == Engine::Sqlite) return Exec(db_, QStringLiteral("BEGIN IMMEDIATE"), error);
    if (!Exec(db_, QStringLiteral("BEGIN"), error)) return false;
    QSqlQuery lock(db_);
    lock.prepare(QStringLiteral("SELECT pg_advisory_xact_lock(?)"));
    lock.addBindValue(kAppendLockKey);
    if (lock.exec()) return true;
    error = ErrorOf(lock);
    Exec(db_, QStringLiteral("ROLLBACK"), error);
    error = ErrorOf(lock);
    return false;
}

std::optional<std::string> JournalStore::LastChain(std::string& error) {
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("SELECT chain FROM journal ORDER BY id DESC LIMIT 1"))) {
        error = ErrorOf(query);
        return std::nullopt;
    }
    return query.next() ? query.value(0).toString().toStdString() : std::string(kChainStart);
}

bool JournalStore::Append(JournalEntry& entry, std::string& error) {
    if (!db_.isOpen()) {
        error = "the journal is not open";
        return false;
    }
    if (!BeginAppend(error)) return false;
    auto fail = [&](std::string reason) {
        std::string ignored;
        Exec(db_, QStringLiteral("ROLLBACK"), ignored);
        error = std::move(reason);
        return false;
    };
    std::optional<std::string> previous = LastChain(error);
    if (!previous) return fail(error);
    entry.chain = ChainValue(*previous, entry);

    QSqlQuery insert(db_);
    insert.prepare(InsertStatement());
    for (const QVariant& value : InsertValues(entry)) insert.addBindValue(value);
    if (!insert.exec() || !insert.next()) return fail(ErrorOf(insert));
    const int64_t id = insert.value(0).toLongLong();
    insert.finish();
    if (!Exec(db_, QStringLiteral("COMMIT"), error)) return fail(error);
    entry.id = id;
    return true;
}

std::optional<int64_t> JournalStore::Count(const JournalFilter& filter) {
    const Condition where = WhereOf(filter);
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM journal") + where.sql);
    for (const QVariant& value : where.values) query.addBindValue(value);
    if (!query.exec() || !query.next()) return std::nullopt;
    return query.value(0).toLongLong();
}

std::vector<JournalEntry> JournalStore::Fetch(const JournalFilter& filter, int64_t offset,
                                              int limit) {
    std::vector<JournalEntry> entries;
    const Condition where = WhereOf(filter);
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
    const JournalFilter& filter, std::optional<int64_t> beforeId, int limit, std::string& error) {
    Condition where = WhereOf(filter);
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
        error = ErrorOf(query);
        return std::nullopt;
    }
    std::vector<JournalEntry> entries;
    while (query.next()) entries.push_back(EntryFromQuery(query));
    // A connection lost halfway ends the loop early: that is no short page.
    if (query.lastError().isValid()) {
        error = ErrorOf(query);
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
            report.error = ErrorOf(query);
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
            report.error = ErrorOf(query);
            return report;
        }
        if (inBatch < kVerifyBatch) return report;
    }
}

}  // namespace tb::journal
