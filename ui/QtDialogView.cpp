#include "ui/QtDialogView.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTreeWidget>

namespace tb::ui {
namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

QtDialogView::QtDialogView(DialogWidget& dialog, QWidget* sheet) : dialog_(dialog), sheet_(sheet) {}

template <typename W>
W* QtDialogView::As(int id) const {
    return qobject_cast<W*>(dialog_.Control(id));
}

void QtDialogView::Enable(int id, bool enabled) {
    if (QWidget* widget = dialog_.Control(id)) widget->setEnabled(enabled);
}

// The control's own state, whatever the sheet around it is switched to.
bool QtDialogView::IsEnabled(int id) const {
    const QWidget* widget = dialog_.Control(id);
    return widget != nullptr && widget->isEnabledTo(&dialog_);
}

void QtDialogView::Show(int id, bool visible) {
    if (QWidget* widget = dialog_.Control(id)) widget->setVisible(visible);
}

bool QtDialogView::IsVisible(int id) const {
    const QWidget* widget = dialog_.Control(id);
    return widget != nullptr && !widget->isHidden();
}

void QtDialogView::SetText(int id, const std::string& text) {
    const QString value = FromUtf8(text);
    if (auto* edit = As<QLineEdit>(id)) {
        edit->setText(value);
    } else if (auto* label = As<QLabel>(id)) {
        label->setText(value);
    } else if (auto* button = As<QAbstractButton>(id)) {
        button->setText(value);
    } else if (auto* group = As<QGroupBox>(id)) {
        group->setTitle(value);
    }
}

std::string QtDialogView::Text(int id) const {
    if (auto* edit = As<QLineEdit>(id)) return ToUtf8(edit->text());
    if (auto* label = As<QLabel>(id)) return ToUtf8(label->text());
    if (auto* button = As<QAbstractButton>(id)) return ToUtf8(button->text());
    if (auto* group = As<QGroupBox>(id)) return ToUtf8(group->title());
    return {};
}

void QtDialogView::SetCheck(int id, bool checked) { dialog_.SetChecked(id, checked); }

bool QtDialogView::IsChecked(int id) const {
    const auto* button = As<QAbstractButton>(id);
    return button != nullptr && button->isChecked();
}

void QtDialogView::SetRadioIndex(int firstId, int index) {
    const std::vector<int> group = dialog_.RadioGroup(firstId);
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (static_cast<int>(i) == index) SetCheck(group[i], true);
    }
}

// -1 when no button of the group is selected.
int QtDialogView::RadioIndex(int firstId) const {
    const std::vector<int> group = dialog_.RadioGroup(firstId);
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (IsChecked(group[i])) return static_cast<int>(i);
    }
    return -1;
}

void QtDialogView::FocusAndSelect(int id) {
    QWidget* widget = dialog_.Control(id);
    if (widget == nullptr) return;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->selectAll();
        edit->end(true);
    }
}

void QtDialogView::InsertTab(int id, int index, const std::string& caption) {
    dialog_.InsertTab(id, index, FromUtf8(caption));
}

std::vector<std::string> QtDialogView::Tabs(int id) const {
    std::vector<std::string> captions;
    if (const auto* tabs = As<QTabBar>(id)) {
        for (int i = 0; i < tabs->count(); ++i) captions.push_back(ToUtf8(tabs->tabText(i)));
    }
    return captions;
}

void QtDialogView::SelectTab(int id, int index) { dialog_.SelectTab(id, index); }

int QtDialogView::SelectedTab(int id) const {
    const auto* tabs = As<QTabBar>(id);
    return tabs == nullptr ? -1 : tabs->currentIndex();
}

void QtDialogView::SetColumns(int id, const std::vector<pages::ListColumn>& columns) {
    auto* list = As<QTreeWidget>(id);
    if (list == nullptr) return;
    QStringList headers;
    for (const pages::ListColumn& column : columns) headers << FromUtf8(column.header);
    list->setColumnCount(static_cast<int>(headers.size()));
    list->setHeaderLabels(headers);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        list->setColumnWidth(c, columns[static_cast<std::size_t>(c)].width);
        list->headerItem()->setTextAlignment(c, Qt::AlignLeft | Qt::AlignVCenter);
    }
}

std::vector<pages::ListColumn> QtDialogView::Columns(int id) const {
    std::vector<pages::ListColumn> columns;
    const auto* list = As<QTreeWidget>(id);
    if (list == nullptr) return columns;
    for (int c = 0; c < list->columnCount(); ++c) {
        columns.push_back({ToUtf8(list->headerItem()->text(c)), list->columnWidth(c)});
    }
    return columns;
}

void QtDialogView::ClearRows(int id) {
    if (auto* list = As<QTreeWidget>(id)) list->clear();
}

void QtDialogView::AddRow(int id, const std::vector<std::string>& cells) {
    auto* list = As<QTreeWidget>(id);
    if (list == nullptr) return;
    QStringList texts;
    for (const std::string& cell : cells) texts << FromUtf8(cell);
    list->addTopLevelItem(new QTreeWidgetItem(texts));
}

std::vector<std::vector<std::string>> QtDialogView::Rows(int id) const {
    std::vector<std::vector<std::string>> rows;
    const auto* list = As<QTreeWidget>(id);
    if (list == nullptr) return rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = list->topLevelItem(r);
        std::vector<std::string> cells;
        for (int c = 0; c < item->columnCount(); ++c) cells.push_back(ToUtf8(item->text(c)));
        rows.push_back(std::move(cells));
    }
    return rows;
}

void QtDialogView::EnableSheet(bool enabled) {
    QWidget* target = sheet_ ? sheet_.data() : &dialog_;
    target->setEnabled(enabled);
}

bool QtDialogView::IsSheetEnabled() const {
    const QWidget* target = sheet_ ? sheet_.data() : &dialog_;
    return target->isEnabled();
}

}  // namespace tb::ui
