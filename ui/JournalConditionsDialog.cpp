#include "ui/JournalConditionsDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "resources/StringIds.h"
#include "resources/dialogs/JournalWindowIds.h"
#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "ui/Accessibility.h"

namespace tb::ui {
namespace {

using namespace resources::journal_window;
using namespace resources::strings;

enum Column { kColumnId, kColumnDescription, kColumnCertificate, kColumnCalibrated, kColumnDue };

QString Res(int id) { return QString::fromStdString(services::LoadResString(id)); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

void Describe(QWidget& widget, int id, const QString& name) {
    widget.setAccessibleName(name);
    widget.setAccessibleDescription(ControlIdDescription(id));
}

void Refuse(const std::string& reason) {
    services::ShowMessage(services::FormatText(services::LoadResString(kMsgInputRefused), {reason}),
                          services::MsgButtons::Ok, services::MsgIcon::Warning);
}

}  // namespace

std::string SelectionSummary(const journal::WorkSelection& selection) {
    std::string text;
    for (const std::string& id : selection.references) text += (text.empty() ? "" : ", ") + id;
    std::string ambient;
    if (!selection.ambientC.empty()) ambient = selection.ambientC + " °C";
    if (!selection.humidityPct.empty())
        ambient += (ambient.empty() ? "" : ", ") + selection.humidityPct + " %RH";
    if (!ambient.empty()) text += (text.empty() ? "" : " / ") + ambient;
    return text.empty() ? "-" : text;
}

JournalConditionsDialog::JournalConditionsDialog(journal::JournalStore& store, QWidget* parent)
    : QDialog(parent), register_(store) {
    setWindowTitle(Res(kStrConditionsMenu));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Res(kStrReferencesInUse), this));
    table_ = new QTableWidget(0, 5, this);
    table_->setHorizontalHeaderLabels({Res(kStrId), Res(kStrDescription),
                                       Res(kStrCertificateNumber), Res(kStrCalibratedOn),
                                       Res(kStrDue)});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setStretchLastSection(true);
    Describe(*table_, kReferenceTable, Res(kStrReferencesInUse));
    layout->addWidget(table_, 1);

    auto* form = new QHBoxLayout;
    auto field = [&](QWidget* widget, int label, int id) {
        Describe(*widget, id, Res(label));
        auto* column = new QVBoxLayout;
        auto* caption = new QLabel(Res(label), this);
        caption->setBuddy(widget);
        column->addWidget(caption);
        column->addWidget(widget);
        form->addLayout(column);
    };
    id_ = new QLineEdit(this);
    id_->setMaxLength(static_cast<int>(journal::kMaxReferenceIdLength));
    description_ = new QLineEdit(this);
    description_->setMaxLength(static_cast<int>(journal::kMaxReferenceTextLength));
    certificate_ = new QLineEdit(this);
    certificate_->setMaxLength(static_cast<int>(journal::kMaxReferenceTextLength));
    calibrated_ = new QDateEdit(QDate::currentDate(), this);
    due_ = new QDateEdit(QDate::currentDate().addYears(1), this);
    for (QDateEdit* edit : {calibrated_, due_}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    field(id_, kStrId, kReferenceId);
    field(description_, kStrDescription, kReferenceDescription);
    field(certificate_, kStrCertificateNumber, kReferenceCertificate);
    field(calibrated_, kStrCalibratedOn, kReferenceCalibrated);
    field(due_, kStrDue, kReferenceDue);
    layout->addLayout(form);

    auto* actions = new QHBoxLayout;
    auto button = [&](int text, int id, auto handler) {
        auto* pushed = new QPushButton(Res(text), this);
        Describe(*pushed, id, Res(text));
        pushed->setAutoDefault(false);
        connect(pushed, &QPushButton::clicked, this, handler);
        actions->addWidget(pushed);
    };
    button(kStrRegister, kReferenceAdd, [this] { AddReference(Entered()); });
    button(kStrRetire, kReferenceRetire, [this] {
        const int row = SelectedRow();
        if (row >= 0) RetireReference(listed_[static_cast<std::size_t>(row)].id);
    });
    actions->addStretch(1);
    layout->addLayout(actions);

    auto* conditions = new QFormLayout;
    celsius_ = new QLineEdit(this);
    humidity_ = new QLineEdit(this);
    for (QLineEdit* edit : {celsius_, humidity_}) edit->setMaxLength(8);
    Describe(*celsius_, kAmbientTemperature, Res(kStrAmbientTemperature));
    Describe(*humidity_, kAmbientHumidity, Res(kStrRelativeHumidity));
    conditions->addRow(Res(kStrAmbientTemperature), celsius_);
    conditions->addRow(Res(kStrRelativeHumidity), humidity_);
    layout->addLayout(conditions);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &JournalConditionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    const journal::WorkSelection session = journal::SessionSelection();
    celsius_->setText(Q(session.ambientC));
    humidity_->setText(Q(session.humidityPct));
    Refresh();
    for (const std::string& id : session.references) SetInUse(id, true);
    resize(760, 440);
}

void JournalConditionsDialog::Refresh() {
    std::vector<std::string> ticked;
    for (int row = 0; row < table_->rowCount(); ++row)
        if (table_->item(row, kColumnId)->checkState() == Qt::Checked)
            ticked.push_back(listed_[static_cast<std::size_t>(row)].id);
    journal::JournalError error;
    auto all = register_.List(error);
    if (!all) Refuse(journal::JournalErrorText(error));
    listed_.clear();
    for (journal::ReferenceInstrument& instrument : all.value_or(std::vector<journal::ReferenceInstrument>{}))
        if (!instrument.retired) listed_.push_back(std::move(instrument));
    table_->setRowCount(static_cast<int>(listed_.size()));
    for (std::size_t i = 0; i < listed_.size(); ++i) {
        const journal::ReferenceInstrument& instrument = listed_[i];
        const int row = static_cast<int>(i);
        int column = 0;
        for (const std::string* text : {&instrument.id, &instrument.description, &instrument.certificate,
                                        &instrument.calibratedOn, &instrument.dueOn}) {
            table_->setItem(row, column++, new QTableWidgetItem(Q(*text)));
        }
        auto* id = table_->item(row, kColumnId);
        id->setFlags(id->flags() | Qt::ItemIsUserCheckable);
        const bool wasTicked = std::find(ticked.begin(), ticked.end(), instrument.id) != ticked.end();
        id->setCheckState(wasTicked ? Qt::Checked : Qt::Unchecked);
        if (instrument.ExpiredOn(QDate::currentDate()))
            table_->item(row, kColumnDue)->setForeground(QColor(Qt::red));
    }
}

void JournalConditionsDialog::SetInUse(const std::string& id, bool inUse) {
    for (std::size_t i = 0; i < listed_.size(); ++i)
        if (listed_[i].id == id)
            table_->item(static_cast<int>(i), kColumnId)->setCheckState(inUse ? Qt::Checked : Qt::Unchecked);
}

journal::ReferenceInstrument JournalConditionsDialog::Entered() const {
    return {id_->text().trimmed().toStdString(), description_->text().trimmed().toStdString(),
            certificate_->text().trimmed().toStdString(),
            calibrated_->date().toString(Qt::ISODate).toStdString(),
            due_->date().toString(Qt::ISODate).toStdString()};
}

int JournalConditionsDialog::SelectedRow() const {
    const int row = table_->currentRow();
    return row >= 0 && row < static_cast<int>(listed_.size()) ? row : -1;
}

bool JournalConditionsDialog::AddReference(const journal::ReferenceInstrument& instrument) {
    journal::JournalError error;
    if (!register_.Add(instrument, error)) {
        Refuse(journal::JournalErrorText(error));
        return false;
    }
    Refresh();
    return true;
}

bool JournalConditionsDialog::RetireReference(const std::string& id) {
    journal::JournalError error;
    if (!register_.Retire(id, error)) {
        Refuse(journal::JournalErrorText(error));
        return false;
    }
    Refresh();
    return true;
}

void JournalConditionsDialog::SetAmbient(const QString& celsius, const QString& humidity) {
    celsius_->setText(celsius);
    humidity_->setText(humidity);
}

bool JournalConditionsDialog::Apply() {
    journal::WorkSelection selection;
    const QString celsius = celsius_->text().trimmed();
    const QString humidity = humidity_->text().trimmed();
    journal::JournalError error;
    if (celsius.isEmpty() && !humidity.isEmpty()) {
        Refuse(services::LoadResString(kStrAmbientTemperature));
        return false;
    }
    if (!celsius.isEmpty()) {
        const QString text = humidity.isEmpty() ? celsius : celsius + ',' + humidity;
        if (!journal::ParseAmbient(text.toStdString(), selection, error)) {
            Refuse(journal::JournalErrorText(error));
            return false;
        }
    }
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (table_->item(row, kColumnId)->checkState() != Qt::Checked) continue;
        const journal::ReferenceInstrument& instrument = listed_[static_cast<std::size_t>(row)];
        selection.references.push_back(instrument.id);
        if (instrument.ExpiredOn(QDate::currentDate())) {
            services::ShowMessage(
                services::FormatText(services::LoadResString(kMsgReferenceExpired),
                                     {instrument.id, instrument.dueOn}),
                services::MsgButtons::Ok, services::MsgIcon::Warning);
        }
    }
    if (selection.references.size() > journal::kMaxReferencesInUse) {
        Refuse(std::to_string(journal::kMaxReferencesInUse));
        return false;
    }
    journal::SaveSessionSelection(selection);
    return true;
}

void JournalConditionsDialog::accept() {
    if (Apply()) QDialog::accept();
}

}  // namespace tb::ui
