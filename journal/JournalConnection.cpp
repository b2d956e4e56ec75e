// Opening and closing the store: the engine's connection, its settings and
// the schema brought up to date. Reading and writing are JournalStore.cpp's.
#include "journal/JournalStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

#include "journal/JournalError.h"
#include "journal/JournalSql.h"
#include "resources/StringIds.h"

namespace tb::journal {
namespace {

using namespace resources::strings;

constexpr int kBusyTimeoutMs = 5000;

QString NextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("tb-journal-%1").arg(counter.fetch_add(1));
}

bool ContainsPassword(const std::string& options) {
    return QString::fromStdString(options).contains(QStringLiteral("password"),
                                                    Qt::CaseInsensitive);
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
        JournalError ignored;
        Exec(db_, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), kMsgJournalCannotOpen, ignored);
    }
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

std::unique_ptr<JournalStore> JournalStore::Prepare(const QString& connectionName, Engine engine,
                                                    JournalError& error) {
    std::unique_ptr<JournalStore> store(new JournalStore(connectionName, engine));
    QSqlDatabase& open = store->db_;
    if (!open.open()) {
        error = {kMsgJournalCannotOpen, {open.lastError().text().toStdString()}};
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
            error = mode.lastError().isValid() ? ErrorOf(kMsgJournalCannotOpen, mode)
                                               : JournalError{kMsgJournalNoWal};
            return nullptr;
        }
        if (!Exec(open, QStringLiteral("PRAGMA synchronous=NORMAL"), kMsgJournalCannotOpen, error))
            return nullptr;
    }
    if (!MigrateSchema(open, engine, error)) return nullptr;
    return store;
}

std::unique_ptr<JournalStore> JournalStore::OpenSqlite(const std::string& path,
                                                       JournalError& error) {
    if (path.empty()) {
        error = {kMsgJournalNoDataFolder};
        return nullptr;
    }
    const QString name = AddConnection(QStringLiteral("QSQLITE"), [&](QSqlDatabase& db) {
        db.setDatabaseName(SqlText(path));
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    });
    if (name.isEmpty()) {
        error = {kMsgJournalDriverMissing, {"SQLite"}};
        return nullptr;
    }
    return Prepare(name, Engine::Sqlite, error);
}

std::unique_ptr<JournalStore> JournalStore::OpenPostgres(const std::string& options,
                                                         JournalError& error) {
    if (ContainsPassword(options)) {
        error = {kMsgJournalPasswordGiven};
        return nullptr;
    }
    const QString name = AddConnection(QStringLiteral("QPSQL"), [&](QSqlDatabase& db) {
        db.setConnectOptions(SqlText(options));
    });
    if (name.isEmpty()) {
        error = {kMsgJournalDriverMissing, {"PostgreSQL"}};
        return nullptr;
    }
    return Prepare(name, Engine::Postgres, error);
}

}  // namespace tb::journal
