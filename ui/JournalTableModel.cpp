#include "ui/JournalTableModel.h"

#include <algorithm>

#include "journal/JournalText.h"
#include "resources/StringIds.h"
#include "services/PageServices.h"

namespace tb::ui {
namespace {

using namespace resources::strings;

constexpr int kHeaderTexts[JournalTableModel::kColumnCount] = {
    kStrDateTime,     kStrOperator, kStrModel,  kStrOperation,
    kStrSerialNumber, kStrAsFound,  kStrAsLeft, kStrOutcome};

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

JournalTableModel::JournalTableModel(journal::JournalStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store) {}

void JournalTableModel::SetFilter(const journal::JournalFilter& filter) {
    filter_ = filter;
    Refresh();
}

void JournalTableModel::Refresh() {
    beginResetModel();
    pages_.clear();
    pageOrder_.clear();
    count_ = store_.Count(filter_).value_or(0);
    endResetModel();
}

const std::vector<journal::JournalEntry>& JournalTableModel::Page(int64_t page) const {
    if (auto it = pages_.find(page); it != pages_.end()) return it->second;
    if (pageOrder_.size() >= kPagesKept) {
        pages_.erase(pageOrder_.front());
        pageOrder_.erase(pageOrder_.begin());
    }
    pageOrder_.push_back(page);
    return pages_[page] = store_.Fetch(filter_, page * kPageRows, kPageRows);
}

std::optional<journal::JournalEntry> JournalTableModel::EntryAt(int row) const {
    if (row < 0 || row >= count_) return std::nullopt;
    const auto& page = Page(row / kPageRows);
    const std::size_t at = static_cast<std::size_t>(row % kPageRows);
    if (at >= page.size()) return std::nullopt;
    return page[at];
}

int JournalTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::min<int64_t>(count_, INT32_MAX));
}

int JournalTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant JournalTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const std::optional<journal::JournalEntry> entry = EntryAt(index.row());
    if (!entry) return {};
    switch (index.column()) {
        case kTime:
            return Text(journal::LocalTimeText(*entry));
        case kOperator:
            return Text(entry->operatorName);
        case kModel:
            return Text(entry->model);
        case kOperation:
            return Text(journal::OperationText(entry->operation));
        case kSerial:
            return Text(journal::IdentityText(*entry));
        case kAsFound:
            return Text(journal::ChannelsText(*entry, journal::ChannelField::AsFound));
        case kAsLeft:
            return Text(journal::ChannelsText(*entry, journal::ChannelField::AsLeft));
        case kOutcome:
            return Text(journal::OutcomeText(*entry));
        default:
            return {};
    }
}

QVariant JournalTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= kColumnCount) return {};
    return Text(services::LoadResString(kHeaderTexts[section]));
}

}  // namespace tb::ui
