// Reading many journal rows at once (CSV export, certificates), newest
// first, a batch at a time. Batches follow the row key, never an offset: a
// bench appending to a shared journal meanwhile neither repeats a row nor
// makes one skipped. A read error ends the reading with the reason; the
// caller reports it and writes nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "journal/JournalEntry.h"
#include "journal/JournalStore.h"

namespace tb::journal {

class RowPager {
  public:
    static constexpr int kDefaultBatch = 5000;

    RowPager(JournalStore& store, JournalFilter filter, int batch = kDefaultBatch);

    // The next batch: empty once every row was read; nothing (with the
    // reason) when the rows cannot be read.
    std::optional<std::vector<JournalEntry>> Next(JournalError& error);

  private:
    JournalStore& store_;
    JournalFilter filter_;
    int batch_;
    std::optional<int64_t> before_;
    bool done_ = false;
};

// Every row the filter selects, newest first; nothing, with the reason,
// when any batch cannot be read.
std::optional<std::vector<JournalEntry>> AllRows(JournalStore& store, const JournalFilter& filter,
                                                 JournalError& error);

}  // namespace tb::journal
