// The journal window: every recorded page operation, newest first, with
// filters (logger serial, model, date range, outcome, reference used), the
// selected row in full, CSV export, certificates, a check of the chain, the
// loggers due for adjustment, and the references and conditions recorded
// with the work from now on.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal/JournalError.h"
#include "journal/JournalLocation.h"
#include "ui/JournalTableModel.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace tb::ui {

class JournalDriftView;
class JournalDueDialog;

class JournalWindow final : public QDialog {
    Q_OBJECT

  public:
    // Opens the store itself; without one the window says why and stays empty.
    JournalWindow(const journal::JournalLocation& location, QWidget* parent = nullptr);
    ~JournalWindow() override;

    bool HasJournal() const { return store_ != nullptr; }
    JournalTableModel* Model() const { return model_.get(); }
    QTableView* Table() const { return table_; }

    // Selects the filter's rows again (also after new records).
    void ApplyFilters();
    void SelectRow(int row);
    std::string DetailText() const;

    // The actions behind the buttons, with the file already chosen; false
    // with the error to show (a journal that cannot be read writes nothing).
    bool ExportCsv(const std::string& path, journal::JournalError& error);
    // withDrift adds the drift of the logger's last visits; path names the
    // PDF, dccPath the machine-readable certificate (either may be empty).
    bool WriteCertificateFor(int row, bool wholeDay, const std::string& path, journal::JournalError& error,
                             bool withDrift = false, const std::string& dccPath = {});
    // The rows a certificate of the row covers: the row itself, or every
    // adjustment of its logger on its local day (oldest first); nothing,
    // with the reason, when the journal cannot be read.
    std::optional<std::vector<journal::JournalEntry>> CertificateEntries(int row, bool wholeDay,
                                                                        journal::JournalError& error);
    // The drift view of the row's logger (its channel chosen); nothing, with
    // the error, when the journal cannot be read.
    std::unique_ptr<JournalDriftView> DriftViewFor(int row, journal::JournalError& error);
    // The loggers due for adjustment from today; nothing without a journal.
    std::unique_ptr<JournalDueDialog> DueDialog();
    // The verdict on the chain as the verify button shows it.
    std::string VerifyText(bool* intact = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    // Coming back to the window (after a page operation) lists new records.
    void changeEvent(QEvent* event) override;

  private:
    void BuildFilters(QGridLayout& layout);
    void BuildButtons(QHBoxLayout& layout);
    void FillModels();
    void ShowDetail();
    void OnExportCsv();
    void OnCertificate();
    void OnCertificateDcc();
    void IssueCertificate(bool dcc);
    void OnVerify();
    // The references and conditions for the work (JournalConditionsDialog).
    void OnConditions();
    void OnDrift();
    void OnDue();
    int CurrentRow() const;

    std::unique_ptr<journal::JournalStore> store_;
    journal::JournalError openError_;  // why there is no store
    std::unique_ptr<JournalTableModel> model_;
    QLineEdit* serial_ = nullptr;
    QComboBox* modelFilter_ = nullptr;
    QCheckBox* dateFilter_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QComboBox* outcome_ = nullptr;
    QLineEdit* reference_ = nullptr;
    QTableView* table_ = nullptr;
    QPlainTextEdit* detail_ = nullptr;
    QCheckBox* wholeDay_ = nullptr;
    QCheckBox* withDrift_ = nullptr;
    QLabel* conditions_ = nullptr;
};

}  // namespace tb::ui
