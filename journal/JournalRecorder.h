// The adjustment journal as the pages' recorder, and the program's wiring.
//
// The recorder opens its store on the first record (a journal that cannot
// be reached never stops the program from starting) and tries again on
// each later record until it can. A record that cannot be stored never
// undoes or blocks the adjustment: the technician gets message 3001 with
// the reason, and the adjustment stands. Each row records the references
// and ambient conditions chosen for the work (WorkConditions.h).
#pragma once

#include <memory>
#include <string>

#include "journal/JournalLocation.h"
#include "pages/AdjustmentRecord.h"

namespace tb::journal {

class JournalRecorder final : public pages::AdjustmentRecorder {
  public:
    explicit JournalRecorder(JournalLocation location);
    ~JournalRecorder() override;

    void Record(const pages::AdjustmentRecord& record) override;

    const JournalLocation& Location() const { return location_; }
    // The store, once a record has opened it (tests look through it).
    JournalStore* Store() { return store_.get(); }

  private:
    bool Append(JournalEntry& entry, JournalError& error);
    // The references in use and the ambient conditions (WorkConditions.h).
    void AddConditions(JournalEntry& entry);

    JournalLocation location_;
    std::unique_ptr<JournalStore> store_;
};

// The program's journal: a recorder for the configured location, installed
// for every page while this object lives. The window and the command line
// call this once at start-up.
class InstalledJournal {
  public:
    explicit InstalledJournal(JournalLocation location);
    ~InstalledJournal();
    InstalledJournal(const InstalledJournal&) = delete;
    InstalledJournal& operator=(const InstalledJournal&) = delete;

    JournalRecorder& Recorder() { return recorder_; }
    const JournalLocation& Location() const { return recorder_.Location(); }

  private:
    JournalRecorder recorder_;
    pages::ScopedAdjustmentRecorder installed_{recorder_};
};

std::unique_ptr<InstalledJournal> ConnectJournal();

}  // namespace tb::journal
