// The technician's choice of reference instruments and ambient conditions
// for the work ahead, and the register of references behind it: the
// journal window opens it; the choice is kept in the settings and recorded
// in every row from then on (journal/WorkConditions.h).
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "journal/ReferenceRegister.h"
#include "journal/WorkConditions.h"

class QDateEdit;
class QLineEdit;
class QTableWidget;

namespace tb::ui {

class JournalConditionsDialog final : public QDialog {
    Q_OBJECT

  public:
    JournalConditionsDialog(journal::JournalStore& store, QWidget* parent = nullptr);

    // The register's rows as listed, and whether each is ticked as in use.
    std::vector<journal::ReferenceInstrument> Listed() const { return listed_; }
    void SetInUse(const std::string& id, bool inUse);

    // What the buttons do, with the fields already filled; false with the
    // message shown.
    bool AddReference(const journal::ReferenceInstrument& instrument);
    bool RetireReference(const std::string& id);
    void SetAmbient(const QString& celsius, const QString& humidity);
    // Checks and keeps the choice (OK); warns once per expired reference
    // picked. False (nothing kept) when the ambient values are refused.
    bool Apply();

    void accept() override;

  private:
    void Refresh();
    journal::ReferenceInstrument Entered() const;
    int SelectedRow() const;

    journal::ReferenceRegister register_;
    std::vector<journal::ReferenceInstrument> listed_;
    QTableWidget* table_ = nullptr;
    QLineEdit* id_ = nullptr;
    QLineEdit* description_ = nullptr;
    QLineEdit* certificate_ = nullptr;
    QDateEdit* calibrated_ = nullptr;
    QDateEdit* due_ = nullptr;
    QLineEdit* celsius_ = nullptr;
    QLineEdit* humidity_ = nullptr;
};

// "PT100-07, HYG-02 / 23.5 °C, 45 %RH": the choice in one line.
std::string SelectionSummary(const journal::WorkSelection& selection);

}  // namespace tb::ui
