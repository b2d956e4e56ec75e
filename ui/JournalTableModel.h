// The journal's rows for a table view, read on demand.
//
// The model knows only the number of rows the filter selects; rows are
// fetched from the store a page at a time when the view asks for them and
// a few pages are kept, so a journal of any length opens at once.
#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "journal/JournalStore.h"

namespace tb::ui {

class JournalTableModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { kTime, kOperator, kModel, kOperation, kSerial, kAsFound, kAsLeft, kOutcome };
    static constexpr int kColumnCount = 8;
    static constexpr int kPageRows = 200;
    static constexpr std::size_t kPagesKept = 16;

    // Empty until the first SetFilter or Refresh.
    explicit JournalTableModel(journal::JournalStore& store, QObject* parent = nullptr);

    void SetFilter(const journal::JournalFilter& filter);
    const journal::JournalFilter& Filter() const { return filter_; }
    // Reads the row count again (after new records).
    void Refresh();

    // The row at a position of the view (0 = newest).
    std::optional<journal::JournalEntry> EntryAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    const std::vector<journal::JournalEntry>& Page(int64_t page) const;

    journal::JournalStore& store_;
    journal::JournalFilter filter_;
    int64_t count_ = 0;
    mutable std::map<int64_t, std::vector<journal::JournalEntry>> pages_;
    mutable std::vector<int64_t> pageOrder_;  // least recently fetched first
};

}  // namespace tb::ui
