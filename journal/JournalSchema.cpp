#include "journal/JournalSchema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <string>
#include <optional>
#include <regex>
#include <span>
#include <vector>

#include "journal/JournalColumns.h"
#include "journal/JournalError.h"
#include "journal/JournalSql.h"
#include "resources/StringIds.h"

namespace tb::journal {

using namespace resources::strings;
namespace {

struct Migration {
    int version;
    std::vector<std::string> sqlite;
    std::vector<std::string> postgres;
};

#define TB_CERTIFICATE_COLUMNS                                                                    \
    "number TEXT NOT NULL UNIQUE, replaces TEXT NOT NULL, issued_utc TEXT NOT NULL, "            \
    "model TEXT NOT NULL, logger_serial TEXT NOT NULL, row_ids TEXT NOT NULL, "                  \
    "digest TEXT NOT NULL, reference_ids TEXT NOT NULL"
#define TB_CERTIFICATE_REFERENCE_COLUMNS "number TEXT NOT NULL, reference_id TEXT NOT NULL"

#define TB_REFERENCE_COLUMNS                                                                      \
    "reference_id TEXT NOT NULL, action TEXT NOT NULL CHECK (action IN ('add', 'retire')), "     \
    "description TEXT NOT NULL, certificate TEXT NOT NULL, calibrated_on TEXT NOT NULL, "        \
    "due_on TEXT NOT NULL, recorded_utc TEXT NOT NULL, operator TEXT NOT NULL"

// The statements of both engines, with the journal's columns a version
// adds (JournalColumns.cpp) ahead of the version's own.
std::vector<std::string> WithAddedColumns(int version, std::vector<std::string> statements) {
    std::vector<std::string> all = AddedColumnsSql(version);
    all.insert(all.end(), statements.begin(), statements.end());
    return all;
}

// The columns are the same on both engines; only the key and the trigger
// bodies differ.
const std::vector<Migration>& Migrations() {
    static const std::string columns = CreatedColumnsSql();
    static const std::vector<Migration> migrations = {
        {1,
         {"CREATE TABLE journal_schema (version INTEGER NOT NULL)",
          "CREATE TABLE journal (id INTEGER PRIMARY KEY AUTOINCREMENT, " + columns + ")",
          "CREATE INDEX journal_by_unit ON journal (unit_serial)",
          "CREATE INDEX journal_by_logger ON journal (logger_serial)",
          "CREATE INDEX journal_by_model ON journal (model)",
          "CREATE INDEX journal_by_time ON journal (recorded_utc)",
          "CREATE TRIGGER journal_refuse_update BEFORE UPDATE ON journal "
          "BEGIN SELECT RAISE(ABORT, 'journal rows are append-only'); END",
          "CREATE TRIGGER journal_refuse_delete BEFORE DELETE ON journal "
          "BEGIN SELECT RAISE(ABORT, 'journal rows are append-only'); END",
          "CREATE TRIGGER journal_schema_refuse_update BEFORE UPDATE ON journal_schema "
          "BEGIN SELECT RAISE(ABORT, 'schema versions are append-only'); END"},
         {"CREATE TABLE journal_schema (version INTEGER NOT NULL)",
          "CREATE TABLE journal (id BIGSERIAL PRIMARY KEY, " + columns + ")",
          "CREATE INDEX journal_by_unit ON journal (unit_serial)",
          "CREATE INDEX journal_by_logger ON journal (logger_serial)",
          "CREATE INDEX journal_by_model ON journal (model)",
          "CREATE INDEX journal_by_time ON journal (recorded_utc)",
          "CREATE FUNCTION journal_refuse_change() RETURNS trigger LANGUAGE plpgsql AS "
          "$$BEGIN RAISE EXCEPTION 'journal rows are append-only'; END$$",
          "CREATE TRIGGER journal_refuse_change BEFORE UPDATE OR DELETE ON journal "
          "FOR EACH ROW EXECUTE FUNCTION journal_refuse_change()",
          "CREATE TRIGGER journal_refuse_truncate BEFORE TRUNCATE ON journal "
          "FOR EACH STATEMENT EXECUTE FUNCTION journal_refuse_change()",
          "CREATE TRIGGER journal_schema_refuse_change BEFORE UPDATE OR DELETE ON journal_schema "
          "FOR EACH ROW EXECUTE FUNCTION journal_refuse_change()"}},
        {2,
         WithAddedColumns(2,
         {"CREATE TABLE reference_event (id INTEGER PRIMARY KEY AUTOINCREMENT, "
          TB_REFERENCE_COLUMNS ")",
          "CREATE INDEX reference_event_by_reference ON reference_event (reference_id)",
          "CREATE TRIGGER reference_event_refuse_update BEFORE UPDATE ON reference_event "
          "BEGIN SELECT RAISE(ABORT, 'the reference register is append-only'); END",
          "CREATE TRIGGER reference_event_refuse_delete BEFORE DELETE ON reference_event "
          "BEGIN SELECT RAISE(ABORT, 'the reference register is append-only'); END"}),
         WithAddedColumns(2,
         {"CREATE TABLE reference_event (id BIGSERIAL PRIMARY KEY, " TB_REFERENCE_COLUMNS ")",
          "CREATE INDEX reference_event_by_reference ON reference_event (reference_id)",
          "CREATE TRIGGER reference_event_refuse_change BEFORE UPDATE OR DELETE ON reference_event "
          "FOR EACH ROW EXECUTE FUNCTION journal_refuse_change()",
          "CREATE TRIGGER reference_event_refuse_truncate BEFORE TRUNCATE ON reference_event "
          "FOR EACH STATEMENT EXECUTE FUNCTION journal_refuse_change()",
          // Roles that already append rows keep doing so: they may read and
          // add to the register too (a lab may revoke INSERT again).
          "DO $$DECLARE r record; BEGIN "
          "FOR r IN SELECT DISTINCT roles.rolname FROM pg_class c, "
          "aclexplode(c.relacl) AS acl, pg_roles roles "
          "WHERE c.relname = 'journal' AND c.relkind = 'r' AND acl.privilege_type = 'INSERT' "
          "AND roles.oid = acl.grantee AND acl.grantee <> c.relowner LOOP "
          "EXECUTE format('GRANT SELECT, INSERT ON reference_event TO %I', r.rolname); "
          "EXECUTE format('GRANT USAGE ON SEQUENCE reference_event_id_seq TO %I', r.rolname); "
          "END LOOP; END$$"})},
        // The register of issued certificates, and which reference each
        // relied on (one row per reference, for the look-up by reference).
        {3,
         {"CREATE TABLE certificate_register (id INTEGER PRIMARY KEY AUTOINCREMENT, "
          TB_CERTIFICATE_COLUMNS ")",
          "CREATE INDEX certificate_register_by_replaced ON certificate_register (replaces)",
          "CREATE TABLE certificate_reference (id INTEGER PRIMARY KEY AUTOINCREMENT, "
          TB_CERTIFICATE_REFERENCE_COLUMNS ")",
          "CREATE INDEX certificate_reference_by_reference ON certificate_reference (reference_id)",
          "CREATE TRIGGER certificate_register_refuse_update BEFORE UPDATE ON certificate_register "
          "BEGIN SELECT RAISE(ABORT, 'the certificate register is append-only'); END",
          "CREATE TRIGGER certificate_register_refuse_delete BEFORE DELETE ON certificate_register "
          "BEGIN SELECT RAISE(ABORT, 'the certificate register is append-only'); END",
          "CREATE TRIGGER certificate_reference_refuse_update BEFORE UPDATE ON certificate_reference "
          "BEGIN SELECT RAISE(ABORT, 'the certificate register is append-only'); END",
          "CREATE TRIGGER certificate_reference_refuse_delete BEFORE DELETE ON certificate_reference "
          "BEGIN SELECT RAISE(ABORT, 'the certificate register is append-only'); END"},
         {"CREATE TABLE certificate_register (id BIGSERIAL PRIMARY KEY, " TB_CERTIFICATE_COLUMNS ")",
          "CREATE INDEX certificate_register_by_replaced ON certificate_register (replaces)",
          "CREATE TABLE certificate_reference (id BIGSERIAL PRIMARY KEY, "
          TB_CERTIFICATE_REFERENCE_COLUMNS ")",
          "CREATE INDEX certificate_reference_by_reference ON certificate_reference (reference_id)",
          "CREATE TRIGGER certificate_register_refuse_change BEFORE UPDATE OR DELETE "
          "ON certificate_register FOR EACH ROW EXECUTE FUNCTION journal_refuse_change()",
          "CREATE TRIGGER certificate_register_refuse_truncate BEFORE TRUNCATE ON certificate_register "
          "FOR EACH STATEMENT EXECUTE FUNCTION journal_refuse_change()",
          "CREATE TRIGGER certificate_reference_refuse_change BEFORE UPDATE OR DELETE "
          "ON certificate_reference FOR EACH ROW EXECUTE FUNCTION journal_refuse_change()",
          "CREATE TRIGGER certificate_reference_refuse_truncate BEFORE TRUNCATE ON certificate_reference "
          "FOR EACH STATEMENT EXECUTE FUNCTION journal_refuse_change()",
          // Roles that already append rows may register the certificates
          // they issue.
          "DO $$DECLARE r record; BEGIN "
          "FOR r IN SELECT DISTINCT roles.rolname FROM pg_class c, "
          "aclexplode(c.relacl) AS acl, pg_roles roles "
          "WHERE c.relname = 'journal' AND c.relkind = 'r' AND acl.privilege_type = 'INSERT' "
          "AND roles.oid = acl.grantee AND acl.grantee <> c.relowner LOOP "
          "EXECUTE format('GRANT SELECT, INSERT ON certificate_register, certificate_reference TO %I', "
          "r.rolname); "
          "EXECUTE format('GRANT USAGE ON SEQUENCE certificate_register_id_seq, "
          "certificate_reference_id_seq TO %I', r.rolname); "
          "END LOOP; END$$"}},
    };
    return migrations;
}

#undef TB_REFERENCE_COLUMNS
#undef TB_CERTIFICATE_COLUMNS
#undef TB_CERTIFICATE_REFERENCE_COLUMNS

bool HasSchemaTable(QSqlDatabase& db) {
    return db.tables().contains(QStringLiteral("journal_schema"));
}

// Runs one migration's statements and records its version; inside the
// caller's transaction.
bool ApplyMigration(QSqlDatabase& db, Engine engine, const Migration& migration,
                    JournalError& error) {
    const auto& statements = engine == Engine::Sqlite ? migration.sqlite : migration.postgres;
    for (const std::string& statement : statements)
        if (!Exec(db, QString::fromStdString(statement), kMsgJournalCannotMigrate, error)) return false;
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO journal_schema (version) VALUES (?)"));
    insert.addBindValue(migration.version);
    if (insert.exec()) return true;
    error = ErrorOf(kMsgJournalCannotMigrate, insert);
    return false;
}

// Several programs may open a new journal at the same moment (the batch's
// workers do): the schema is created under the writers' lock, and the
// version is read again once the lock is held, so that only the first
// creates it and the others find it made.
constexpr qint64 kSchemaLockKey = 0x54424A534348LL;

bool BeginSchemaChange(QSqlDatabase& db, Engine engine, JournalError& error) {
    if (engine == Engine::Sqlite)
        return Exec(db, QStringLiteral("BEGIN IMMEDIATE"), kMsgJournalCannotMigrate, error);
    if (!Exec(db, QStringLiteral("BEGIN"), kMsgJournalCannotMigrate, error)) return false;
    QSqlQuery lock(db);
    lock.prepare(QStringLiteral("SELECT pg_advisory_xact_lock(?)"));
    lock.addBindValue(kSchemaLockKey);
    if (lock.exec()) return true;
    error = ErrorOf(kMsgJournalCannotMigrate, lock);
    JournalError ignored;
    Exec(db, QStringLiteral("ROLLBACK"), kMsgJournalCannotMigrate, ignored);
    return false;
}

}  // namespace

int CurrentSchemaVersion() { return Migrations().back().version; }

std::optional<int> StoredSchemaVersion(QSqlDatabase& db) {
    if (!HasSchemaTable(db)) return 0;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT MAX(version) FROM journal_schema")) || !query.next()) {
        return std::nullopt;
    }
    return query.value(0).isNull() ? 0 : query.value(0).toInt();
}

namespace {

// The stored version, refusing one newer than this program's.
std::optional<int> CheckedVersion(QSqlDatabase& db, JournalError& error) {
    const std::optional<int> stored = StoredSchemaVersion(db);
    if (!stored) {
        error = {kMsgJournalSchemaUnreadable};
        return std::nullopt;
    }
    if (*stored > CurrentSchemaVersion()) {
        error = {kMsgJournalNewerSchema, {std::to_string(*stored)}};
        return std::nullopt;
    }
    return stored;
}

}  // namespace

bool MigrateSchema(QSqlDatabase& db, Engine engine, JournalError& error) {
    return MigrateSchemaTo(db, engine, CurrentSchemaVersion(), error);
}

bool MigrateSchemaTo(QSqlDatabase& db, Engine engine, int version, JournalError& error) {
    const std::optional<int> seen = CheckedVersion(db, error);
    if (!seen) return false;
    if (*seen >= version) return true;
    if (!BeginSchemaChange(db, engine, error)) return false;
    JournalError ignored;
    const std::optional<int> stored = CheckedVersion(db, error);
    if (!stored) {
        Exec(db, QStringLiteral("ROLLBACK"), kMsgJournalCannotMigrate, ignored);
        return false;
    }
    for (const Migration& migration : Migrations()) {
        if (migration.version <= *stored || migration.version > version) continue;
        if (!ApplyMigration(db, engine, migration, error)) {
            Exec(db, QStringLiteral("ROLLBACK"), kMsgJournalCannotMigrate, ignored);
            return false;
        }
    }
    if (Exec(db, QStringLiteral("COMMIT"), kMsgJournalCannotMigrate, error)) return true;
    Exec(db, QStringLiteral("ROLLBACK"), kMsgJournalCannotMigrate, ignored);
    return false;
}

bool GrantJournalWriter(QSqlDatabase& db, const std::string& role, JournalError& error) {
    static const std::regex kIdentifier("[a-z_][a-z0-9_]{0,62}");
    if (!std::regex_match(role, kIdentifier)) {
        error = {kMsgJournalBadRole};
        return false;
    }
    const QString name = QString::fromStdString(role);
    QSqlQuery exists(db);
    exists.prepare(QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = ?"));
    exists.addBindValue(name);
    auto failed = [&](const QSqlQuery& query) {
        error = {kMsgJournalCannotGrant, {role, query.lastError().text().toStdString()}};
        return false;
    };
    if (!exists.exec()) return failed(exists);
    if (!exists.next()) {
        QSqlQuery create(db);
        if (!create.exec("CREATE ROLE " + name + " NOLOGIN")) return failed(create);
    }
    for (const QString& statement :
         {"REVOKE ALL ON journal, journal_schema FROM " + name,
          "GRANT SELECT, INSERT ON journal TO " + name,
          "GRANT SELECT ON journal_schema TO " + name,
          "GRANT USAGE ON SEQUENCE journal_id_seq TO " + name,
          "REVOKE ALL ON reference_event FROM " + name,
          "GRANT SELECT, INSERT ON reference_event TO " + name,
          "GRANT USAGE ON SEQUENCE reference_event_id_seq TO " + name,
          "REVOKE ALL ON certificate_register, certificate_reference FROM " + name,
          "GRANT SELECT, INSERT ON certificate_register, certificate_reference TO " + name,
          "GRANT USAGE ON SEQUENCE certificate_register_id_seq, certificate_reference_id_seq TO " +
              name}) {
        QSqlQuery query(db);
        if (!query.exec(statement)) return failed(query);
    }
    return true;
}

}  // namespace tb::journal
