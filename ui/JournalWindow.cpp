#include "ui/JournalWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTimeZone>
#include <QVBoxLayout>
#include <algorithm>

#include "journal/CertificateDay.h"
#include "journal/CsvExport.h"
#include "journal/DayCertificate.h"
#include "journal/DriftSeries.h"
#include "journal/JournalError.h"
#include "journal/JournalText.h"
#include "journal/ReferenceRegister.h"
#include "resources/StringIds.h"
#include "resources/dialogs/JournalWindowIds.h"
#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "ui/Accessibility.h"
#include "ui/JournalConditionsDialog.h"
#include "ui/JournalDriftView.h"
#include "ui/JournalDueDialog.h"

namespace tb::ui {
namespace {

using namespace resources::journal_window;
using namespace resources::strings;

QString Res(int id) { return QString::fromStdString(services::LoadResString(id)); }

void Describe(QWidget& widget, int id, const QString& name) {
    widget.setAccessibleName(name);
    widget.setAccessibleDescription(ControlIdDescription(id));
}

// The outcome filter's choices; the first selects every outcome.
const char* const kOutcomeValues[] = {"", journal::kOutcomeSuccess, journal::kOutcomeFailure,
                                      journal::kOutcomeCancelled};

}  // namespace

JournalWindow::JournalWindow(const journal::JournalLocation& location, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Res(kStrJournalTitle));
    setAccessibleName(windowTitle());
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    store_ = journal::OpenJournal(location, openError_);

    auto* layout = new QVBoxLayout(this);
    auto* filters = new QGridLayout;
    BuildFilters(*filters);
    layout->addLayout(filters);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    table_ = new QTableView(splitter);
    Describe(*table_, kTable, Res(kStrJournalTitle));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    detail_ = new QPlainTextEdit(splitter);
    detail_->setReadOnly(true);
    Describe(*detail_, kDetail, Res(kStrJournalTitle));
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter, 1);

    auto* buttons = new QHBoxLayout;
    BuildButtons(*buttons);
    layout->addLayout(buttons);
    resize(980, 640);

    if (!store_) {
        detail_->setPlainText(QString::fromStdString(journal::JournalErrorText(openError_)));
        return;
    }
    model_ = std::make_unique<JournalTableModel>(*store_);
    table_->setModel(model_.get());
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowDetail(); });
}

JournalWindow::~JournalWindow() {
    if (table_ != nullptr) table_->setModel(nullptr);
}

void JournalWindow::BuildFilters(QGridLayout& layout) {
    auto addLabelled = [&](int column, int textId, QWidget* widget, int id) {
        auto* label = new QLabel(Res(textId), this);
        label->setBuddy(widget);
        layout.addWidget(label, 0, column);
        layout.addWidget(widget, 1, column);
        Describe(*widget, id, Res(textId));
    };
    serial_ = new QLineEdit(this);
    serial_->setMaxLength(32);
    addLabelled(0, kStrSerialNumber, serial_, kSerialFilter);
    modelFilter_ = new QComboBox(this);
    addLabelled(1, kStrModel, modelFilter_, kModelFilter);

    dateFilter_ = new QCheckBox(Res(kStrPeriod), this);
    Describe(*dateFilter_, kDateFilter, Res(kStrPeriod));
    layout.addWidget(dateFilter_, 0, 2, 1, 2);
    from_ = new QDateEdit(QDate::currentDate(), this);
    to_ = new QDateEdit(QDate::currentDate(), this);
    for (QDateEdit* edit : {from_, to_}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setEnabled(false);
    }
    Describe(*from_, kDateFrom, Res(kStrPeriod));
    Describe(*to_, kDateTo, Res(kStrPeriod));
    layout.addWidget(from_, 1, 2);
    layout.addWidget(to_, 1, 3);

    outcome_ = new QComboBox(this);
    for (int text : {kStrAll, kStrOutcomeSuccess, kStrOutcomeFailed, kStrOutcomeCancelled}) {
        outcome_->addItem(Res(text));
    }
    addLabelled(4, kStrOutcome, outcome_, kOutcomeFilter);
    reference_ = new QLineEdit(this);
    reference_->setMaxLength(static_cast<int>(journal::kMaxReferenceIdLength));
    addLabelled(5, kStrReferenceFilter, reference_, kReferenceFilter);
    layout.setColumnStretch(0, 2);

    connect(serial_, &QLineEdit::editingFinished, this, &JournalWindow::ApplyFilters);
    connect(reference_, &QLineEdit::editingFinished, this, &JournalWindow::ApplyFilters);
    connect(modelFilter_, &QComboBox::currentIndexChanged, this, &JournalWindow::ApplyFilters);
    connect(outcome_, &QComboBox::currentIndexChanged, this, &JournalWindow::ApplyFilters);
    connect(dateFilter_, &QCheckBox::toggled, this, [this](bool on) {
        from_->setEnabled(on);
        to_->setEnabled(on);
        ApplyFilters();
    });
    connect(from_, &QDateEdit::dateChanged, this, &JournalWindow::ApplyFilters);
    connect(to_, &QDateEdit::dateChanged, this, &JournalWindow::ApplyFilters);
}

void JournalWindow::BuildButtons(QHBoxLayout& layout) {
    auto addButton = [&](int textId, int id, void (JournalWindow::*handler)()) {
        auto* button = new QPushButton(Res(textId), this);
        Describe(*button, id, Res(textId));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        layout.addWidget(button);
    };
    addButton(kStrExportCsv, kExportCsv, &JournalWindow::OnExportCsv);
    addButton(kStrConditionsMenu, kConditions, &JournalWindow::OnConditions);
    conditions_ = new QLabel(QString::fromStdString(SelectionSummary(journal::SessionSelection())), this);
    Describe(*conditions_, kConditionsSummary, Res(kStrConditionsMenu));
    layout.addWidget(conditions_);
    layout.addStretch(1);
    wholeDay_ = new QCheckBox(Res(kStrWholeDay), this);
    Describe(*wholeDay_, kWholeDay, Res(kStrWholeDay));
    layout.addWidget(wholeDay_);
    withDrift_ = new QCheckBox(Res(kStrDrift), this);
    Describe(*withDrift_, kCertificateDrift, Res(kStrDrift));
    layout.addWidget(withDrift_);
    addButton(kStrCertificatePdf, kCertificate, &JournalWindow::OnCertificate);
    addButton(kStrCertificateDcc, kCertificateDcc, &JournalWindow::OnCertificateDcc);
    addButton(kStrDrift, kDrift, &JournalWindow::OnDrift);
    addButton(kStrDueButton, kDue, &JournalWindow::OnDue);
    layout.addStretch(1);
    addButton(kStrVerifyJournal, kVerify, &JournalWindow::OnVerify);
}

void JournalWindow::FillModels() {
    const QSignalBlocker blocker(modelFilter_);
    const QString chosen =
        modelFilter_->currentIndex() > 0 ? modelFilter_->currentText() : QString();
    modelFilter_->clear();
    modelFilter_->addItem(Res(kStrAll));
    for (const std::string& model : store_->Models()) {
        modelFilter_->addItem(QString::fromStdString(model));
    }
    const int index = chosen.isEmpty() ? 0 : modelFilter_->findText(chosen);
    modelFilter_->setCurrentIndex(std::max(index, 0));
}

void JournalWindow::showEvent(QShowEvent* event) {
    if (store_) {
        FillModels();
        ApplyFilters();
    }
    QDialog::showEvent(event);
}

void JournalWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && model_) {
        const std::optional<int64_t> count = store_->Count(model_->Filter());
        if (count && *count != model_->rowCount()) ApplyFilters();
    }
    QDialog::changeEvent(event);
}

void JournalWindow::ApplyFilters() {
    if (!model_) return;
    journal::JournalFilter filter;
    filter.serial = serial_->text().trimmed().toStdString();
    if (modelFilter_->currentIndex() > 0) filter.model = modelFilter_->currentText().toStdString();
    if (dateFilter_->isChecked()) {
        const QTimeZone local = QTimeZone::systemTimeZone();
        filter.fromUtc = journal::UtcStartOf(from_->date(), local);
        filter.toUtc = journal::UtcStartOf(to_->date().addDays(1), local);
    }
    const int outcome = outcome_->currentIndex();
    if (outcome > 0 && outcome < static_cast<int>(std::size(kOutcomeValues))) {
        filter.outcome = kOutcomeValues[outcome];
    }
    filter.reference = reference_->text().trimmed().toStdString();
    model_->SetFilter(filter);
    detail_->clear();
    if (model_->rowCount() > 0) SelectRow(0);
}

void JournalWindow::SelectRow(int row) {
    if (!model_ || row < 0 || row >= model_->rowCount()) return;
    table_->setCurrentIndex(model_->index(row, 0));
    ShowDetail();
}

int JournalWindow::CurrentRow() const {
    return table_->currentIndex().isValid() ? table_->currentIndex().row() : -1;
}

void JournalWindow::ShowDetail() {
    const auto entry = model_ ? model_->EntryAt(CurrentRow()) : std::nullopt;
    detail_->setPlainText(entry ? QString::fromStdString(journal::DetailText(*entry)) : QString());
}

std::string JournalWindow::DetailText() const { return detail_->toPlainText().toStdString(); }

bool JournalWindow::ExportCsv(const std::string& path, journal::JournalError& error) {
    if (!store_) {
        error = openError_;
        return false;
    }
    const auto rows = journal::AllRows(*store_, model_->Filter(), error);
    return rows && journal::WriteFileAtomically(path, journal::CsvText(*rows), error);
}

std::optional<std::vector<journal::JournalEntry>> JournalWindow::CertificateEntries(
    int row, bool wholeDay, journal::JournalError& error) {
    const auto selected = model_ ? model_->EntryAt(row) : std::nullopt;
    if (!selected) return std::vector<journal::JournalEntry>{};
    return journal::CertificateRows(*store_, *selected, wholeDay, error);
}

bool JournalWindow::WriteCertificateFor(int row, bool wholeDay, const std::string& path,
                                        journal::JournalError& error, bool withDrift, const std::string& dccPath) {
    const auto selected = model_ ? model_->EntryAt(row) : std::nullopt;
    if (!selected) {
        error = {kMsgNoAdjustmentSelected};
        return false;
    }
    const journal::CertificateOutcome outcome = journal::WriteCertificateOf(
        *store_, {*selected, wholeDay, withDrift, journal::ConfiguredHeader(), path, dccPath});
    error = outcome.error;
    return outcome.result == journal::CertificateResult::Written;
}

std::string JournalWindow::VerifyText(bool* intact) {
    if (intact != nullptr) *intact = false;
    if (!store_) return journal::JournalErrorText(openError_);
    const journal::VerifyReport report = store_->Verify();
    if (intact != nullptr) *intact = report.Intact();
    if (!report.readable) return journal::JournalErrorText(report.error);
    if (report.firstBroken) {
        return services::FormatText(services::LoadResString(kMsgChainBroken),
                                    {*report.firstBroken});
    }
    return services::FormatText(services::LoadResString(kMsgChainIntact), {report.rows});
}

void JournalWindow::OnExportCsv() {
    const QString path = QFileDialog::getSaveFileName(
        this, Res(kStrExportCsv),
        QString::fromStdString(services::DataFolderPath()) + QStringLiteral("/journal.csv"),
        QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty()) return;
    journal::JournalError error;
    if (!ExportCsv(path.toStdString(), error)) services::ShowMessage(journal::JournalErrorText(error));
}

void JournalWindow::OnCertificate() { IssueCertificate(false); }

void JournalWindow::OnCertificateDcc() { IssueCertificate(true); }

// The PDF (with drift when ticked) or the DCC of the selected row, to a file the user chooses.
void JournalWindow::IssueCertificate(bool dcc) {
    const int row = CurrentRow();
    if (row < 0) {
        services::ShowMessageId(kMsgSelectRecord);
        return;
    }
    const QString path = QFileDialog::getSaveFileName(
        this, Res(dcc ? kStrCertificateDcc : kStrCertificatePdf),
        QString::fromStdString(services::DataFolderPath()) +
            (dcc ? QStringLiteral("/certificate.xml") : QStringLiteral("/certificate.pdf")),
        dcc ? QStringLiteral("DCC (*.xml)") : QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty()) return;
    journal::JournalError error;
    const std::string file = path.toStdString();
    if (!WriteCertificateFor(row, wholeDay_->isChecked(), dcc ? std::string() : file, error,
                             !dcc && withDrift_->isChecked(), dcc ? file : std::string())) {
        services::ShowMessage(journal::JournalErrorText(error));
    }
}

void JournalWindow::OnConditions() {
    if (!store_) return;
    JournalConditionsDialog dialog(*store_, this);
    dialog.exec();
    conditions_->setText(QString::fromStdString(SelectionSummary(journal::SessionSelection())));
}

std::unique_ptr<JournalDriftView> JournalWindow::DriftViewFor(int row,
                                                             journal::JournalError& error) {
    const auto selected = model_ ? model_->EntryAt(row) : std::nullopt;
    if (!selected) return nullptr;
    const journal::DriftLogger logger{journal::IdentityText(*selected), selected->model};
    auto visits = journal::LoggerVisits(*store_, logger, error);
    if (!visits) return nullptr;
    auto view = std::make_unique<JournalDriftView>(logger, std::move(*visits), this);
    const auto channels = journal::ParseChannels(selected->channels);
    if (!channels.empty()) view->SelectChannel(channels.front().name);
    return view;
}

void JournalWindow::OnDrift() {
    const int row = CurrentRow();
    if (row < 0) {
        services::ShowMessageId(kMsgSelectRecord);
        return;
    }
    journal::JournalError error;
    const auto view = DriftViewFor(row, error);
    if (!view) {
        services::ShowMessage(journal::JournalErrorText(error));
        return;
    }
    view->exec();
}

void JournalWindow::OnVerify() {
    bool intact = false;
    const std::string text = VerifyText(&intact);
    services::ShowMessage(text, services::MsgButtons::Ok,
                          intact ? services::MsgIcon::Information : services::MsgIcon::Warning);
}

std::unique_ptr<JournalDueDialog> JournalWindow::DueDialog() {
    if (!store_) return nullptr;
    return std::make_unique<JournalDueDialog>(*store_, QDate::currentDate(), this);
}

void JournalWindow::OnDue() {
    if (auto dialog = DueDialog()) dialog->exec();
}

}  // namespace tb::ui
