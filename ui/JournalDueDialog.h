// The loggers due for adjustment, as `trimbench journal due` lists them:
// the days ahead to look (overdue ones always included), and a table of
// model, serial, last visit, due date and days left, by due date.
#pragma once

#include <QDate>
#include <QDialog>

#include "journal/JournalStore.h"

class QLabel;
class QSpinBox;
class QTableWidget;

namespace tb::ui {

class JournalDueDialog final : public QDialog {
    Q_OBJECT

  public:
    // Lists from `today` (the window passes the current day).
    JournalDueDialog(journal::JournalStore& store, const QDate& today, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    QSpinBox* Within() const { return within_; }
    // The reason nothing is listed (a malformed setting, an unreadable
    // journal); empty otherwise.
    QString Problem() const;

  private:
    void Fill();

    journal::JournalStore& store_;
    QDate today_;
    QSpinBox* within_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* problem_ = nullptr;
};

}  // namespace tb::ui
