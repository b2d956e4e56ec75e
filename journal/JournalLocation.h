// Where the program's journal lives, from the settings file's Journal group:
//
//   Journal/Engine      "sqlite" (default) or "postgresql"
//   Journal/File        the SQLite file (default: Trimbench2-journal.sqlite3
//                       in the data folder)
//   Journal/Connection  libpq options of the shared journal ("service=lab",
//                       or "host=... port=... dbname=... user=..."); never a
//                       password: libpq takes it from ~/.pgpass or the
//                       service file
//   Journal/Operator    the operator named in each row (default: login name)
//   Journal/Lab         the lab named on certificates
#pragma once

#include <memory>
#include <string>

#include "journal/JournalSchema.h"
#include "journal/JournalStore.h"

namespace tb::journal {

inline constexpr const char* kJournalFileName = "Trimbench2-journal.sqlite3";

// Whether this build can open a shared PostgreSQL journal: Qt's driver for
// it needs libpq, which the Windows build does not have (so Linux only;
// OpenJournal refuses it there with a message saying so).
#ifdef _WIN32
inline constexpr bool kSharedJournalSupported = false;
#else
inline constexpr bool kSharedJournalSupported = true;
#endif

struct JournalLocation {
    Engine engine = Engine::Sqlite;
    std::string sqlitePath;
    std::string postgresOptions;
};

JournalLocation ConfiguredLocation();

// The store at location, or nothing with the reason.
std::unique_ptr<JournalStore> OpenJournal(const JournalLocation& location, JournalError& error);

// Journal/Lab, empty when not set.
std::string LabName();

}  // namespace tb::journal
