#include "ui/JournalDueDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "journal/DueList.h"
#include "journal/JournalError.h"
#include "resources/StringIds.h"
#include "resources/dialogs/JournalWindowIds.h"
#include "services/FormatText.h"
#include "services/PageServices.h"
#include "ui/Accessibility.h"

namespace tb::ui {
namespace {

using namespace resources::journal_window;
using namespace resources::strings;

constexpr int kDefaultWithinDays = 30;

QString Res(int id) { return QString::fromStdString(services::LoadResString(id)); }

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace

JournalDueDialog::JournalDueDialog(journal::JournalStore& store, const QDate& today, QWidget* parent)
    : QDialog(parent), store_(store), today_(today) {
    setWindowTitle(Res(kStrDueTitle));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* label = new QLabel(Res(kStrDueWithin), this);
    within_ = new QSpinBox(this);
    within_->setRange(0, journal::kMaxDueDays);
    within_->setValue(kDefaultWithinDays);
    label->setBuddy(within_);
    within_->setAccessibleName(label->text());
    within_->setAccessibleDescription(ControlIdDescription(kDueWithin));
    top->addWidget(label);
    top->addWidget(within_);
    top->addStretch(1);
    layout->addLayout(top);

    table_ = new QTableWidget(0, 5, this);
    table_->setHorizontalHeaderLabels({Res(kStrModel), Res(kStrSerialNumber), Res(kStrLastVisit),
                                       Res(kStrDueDate), Res(kStrDaysLeft)});
    table_->setAccessibleName(windowTitle());
    table_->setAccessibleDescription(ControlIdDescription(kDueTable));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    layout->addWidget(table_, 1);
    problem_ = new QLabel(this);
    problem_->setWordWrap(true);
    layout->addWidget(problem_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(620, 420);

    connect(within_, &QSpinBox::valueChanged, this, &JournalDueDialog::Fill);
    Fill();
}

QString JournalDueDialog::Problem() const { return problem_->text(); }

void JournalDueDialog::Fill() {
    table_->setRowCount(0);
    problem_->clear();
    journal::JournalError error;
    const auto intervals = journal::DueIntervalsSetting(error);
    if (!intervals) {
        problem_->setText(QString::fromStdString(
            services::FormatText(services::LoadResString(kMsgDueIntervalsSetting), {journal::JournalErrorText(error)})));
        return;
    }
    const auto due = journal::DueLoggers(store_, *intervals, today_, within_->value(), error);
    if (!due) {
        problem_->setText(QString::fromStdString(journal::JournalErrorText(error)));
        return;
    }
    table_->setRowCount(static_cast<int>(due->size()));
    int row = 0;
    for (const journal::DueLogger& logger : *due) {
        const QString cells[] = {QString::fromStdString(logger.model), QString::fromStdString(logger.serial),
                                 logger.lastVisit.toString(Qt::ISODate), logger.due.toString(Qt::ISODate),
                                 QString::number(logger.daysLeft)};
        for (int column = 0; column < 5; ++column) table_->setItem(row, column, Cell(cells[column]));
        ++row;
    }
    if (due->empty()) problem_->setText(Res(kStrNoLoggerDue));
}

}  // namespace tb::ui
