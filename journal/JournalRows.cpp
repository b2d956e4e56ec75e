#include "journal/JournalRows.h"

#include <algorithm>

namespace tb::journal {

RowPager::RowPager(JournalStore& store, JournalFilter filter, int batch)
    : store_(store), filter_(std::move(filter)), batch_(std::max(batch, 1)) {}

std::optional<std::vector<JournalEntry>> RowPager::Next(JournalError& error) {
    if (done_) return std::vector<JournalEntry>{};
    auto rows = store_.ReadBefore(filter_, before_, batch_, error);
    if (!rows) return std::nullopt;
    if (static_cast<int>(rows->size()) < batch_) done_ = true;
    if (!rows->empty()) before_ = rows->back().id;
    return rows;
}

std::optional<std::vector<JournalEntry>> AllRows(JournalStore& store, const JournalFilter& filter,
                                                 JournalError& error) {
    RowPager pager(store, filter);
    std::vector<JournalEntry> entries;
    for (;;) {
        auto batch = pager.Next(error);
        if (!batch) return std::nullopt;
        if (batch->empty()) return entries;
        std::move(batch->begin(), batch->end(), std::back_inserter(entries));
    }
}

}  // namespace tb::journal
