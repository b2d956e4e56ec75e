// The adjustment journal's store through Qt SQL: one SQLite file (WAL) on
// the bench, or a PostgreSQL database shared by a lab's benches.
//
// Rows are only ever appended. An append takes the engine's write lock
// (BEGIN IMMEDIATE; an advisory transaction lock on PostgreSQL), reads the
// last chain value, and inserts the row with its own, so that several
// programs writing at once still form one unbroken chain.
#pragma once

#include <QSqlDatabase>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal/JournalEntry.h"
#include "journal/JournalError.h"
#include "journal/JournalSchema.h"

namespace tb::journal {

// What the window's filters select; empty fields select everything.
struct JournalFilter {
    std::string serial{};   // matches the unit serial or the logger serial
    std::string model{};
    // With model: the name of the page that serves the model ("820/821"),
    // whose rows are selected too; a row may name the page instead of the
    // logger's own model.
    std::string pageModel{};
    std::string fromUtc{};  // first instant, ISO 8601 UTC, inclusive
    std::string toUtc{};    // last instant, exclusive
    std::string outcome{};  // kOutcome...
    // A reference instrument's identifier: the rows whose recorded
    // references name it.
    std::string reference{};

    friend bool operator==(const JournalFilter&, const JournalFilter&) = default;
};

struct VerifyReport {
    bool readable = true;              // false: the rows could not be read (see error)
    int64_t rows = 0;                  // rows checked
    std::optional<int64_t> firstBroken;  // id of the first row whose chain does not hold
    JournalError error;

    bool Intact() const { return readable && !firstBroken; }
};

class JournalStore {
  public:
    // Opens (creating and migrating when needed) the SQLite journal at path.
    static std::unique_ptr<JournalStore> OpenSqlite(const std::string& path, JournalError& error);
    // Opens the PostgreSQL journal with libpq connection options
    // ("service=lab" or "host=... port=... dbname=... user=..."). A password
    // in the options is refused: it belongs in the server's password file.
    static std::unique_ptr<JournalStore> OpenPostgres(const std::string& options,
                                                      JournalError& error);

    ~JournalStore();
    JournalStore(const JournalStore&) = delete;
    JournalStore& operator=(const JournalStore&) = delete;

    // Appends entry, filling its id and chain. False with the reason.
    bool Append(JournalEntry& entry, JournalError& error);

    // Rows selected by filter; nothing when they cannot be read.
    std::optional<int64_t> Count(const JournalFilter& filter);
    // Up to limit rows, newest first, skipping offset (the window's pages;
    // nothing when they cannot be read).
    std::vector<JournalEntry> Fetch(const JournalFilter& filter, int64_t offset, int limit);
    // Up to limit rows, newest first, whose id is below beforeId (all when
    // none is given): paging by key, so rows appended meanwhile by another
    // bench neither repeat nor shift a page. Nothing, with the reason, when
    // the rows cannot be read.
    std::optional<std::vector<JournalEntry>> ReadBefore(const JournalFilter& filter,
                                                        std::optional<int64_t> beforeId, int limit,
                                                        JournalError& error);
    std::optional<JournalEntry> Entry(int64_t id);
    // The distinct models in the journal, for the window's filter.
    std::vector<std::string> Models();

    // Walks the chain from the first row; names the first row that breaks it.
    VerifyReport Verify();

    QSqlDatabase& Database() { return db_; }

  private:
    JournalStore(const QString& connectionName, Engine engine);
    static std::unique_ptr<JournalStore> Prepare(const QString& connectionName, Engine engine,
                                                 JournalError& error);
    bool BeginAppend(JournalError& error);
    std::optional<std::string> LastChain(JournalError& error);

    QSqlDatabase db_;
    QString connectionName_;
    Engine engine_;
};

}  // namespace tb::journal
