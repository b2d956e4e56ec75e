// The journal's schema, the same on both engines, with a version and the
// migrations that bring an older database to it.
//
// Version 1: the journal table, its indexes for the window's filters, and
// triggers that refuse UPDATE and DELETE (on PostgreSQL also TRUNCATE).
// Version 2: each row's version, references and ambient conditions
// (columns with defaults: older rows stay version 1 and verify as before),
// and the register of reference instruments (reference_event: additions
// and retirements, append-only like the journal).
// Version 3: the register of issued certificates (certificate_register,
// and certificate_reference naming the references each relied on),
// append-only too.
// A later version appends a Migration to the table in JournalSchema.cpp;
// versions already applied are never changed.
#pragma once

#include <QSqlDatabase>
#include <optional>
#include <string>

#include "journal/JournalError.h"

namespace tb::journal {

enum class Engine { Sqlite, Postgres };

// The version this program writes.
int CurrentSchemaVersion();

// The database's version, 0 when it has no journal yet, nothing on a read error.
std::optional<int> StoredSchemaVersion(QSqlDatabase& db);

// Applies every missing migration in one transaction each. Refuses a
// database newer than this program. False with the reason in error.
bool MigrateSchema(QSqlDatabase& db, Engine engine, JournalError& error);
// The same up to `version` only: a journal as an older program left it.
bool MigrateSchemaTo(QSqlDatabase& db, Engine engine, int version, JournalError& error);

// PostgreSQL: gives role (created when missing, without login) INSERT and
// SELECT on the journal, the reference register and the certificate
// register, and nothing else; a lab's technicians log in as members of
// it. Needs a user that may create roles and grant.
bool GrantJournalWriter(QSqlDatabase& db, const std::string& role, JournalError& error);

}  // namespace tb::journal
