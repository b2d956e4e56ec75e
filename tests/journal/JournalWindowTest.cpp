// The journal window over a known journal: rows, filters, the detail pane,
// CSV export, certificates (read back with pdftotext), verify, and the main
// window's menu entry.
#include <gtest/gtest.h>

#include <filesystem>

#include <QChart>
#include <QDir>
#include <QFile>
#include <QDateTimeAxis>
#include <QValueAxis>
#include <QAction>
#include <QLineEdit>
#include <QTableView>
#include <fstream>

#include "app/TrimbenchDlg.h"
#include "journal/Certificate.h"
#include "journal/CertificateSeal.h"
#include "journal/JournalRecorder.h"
#include "journal/WorkConditions.h"
#include "journal/CsvExport.h"
#include "journal/JournalText.h"
#include "resources/StringIds.h"
#include "resources/dialogs/DialogIds.h"
#include "services/Settings.h"
#include "resources/dialogs/JournalWindowIds.h"
#include "tests/journal/DocumentText.h"
#include "tests/journal/JournalSamples.h"
#include "tests/services/TempDir.h"
#include "tests/support/EmptyPage.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/ui/QtTestApp.h"
#include <QLineSeries>
#include <QScatterSeries>
#include <algorithm>

#include "ui/JournalConditionsDialog.h"
#include "ui/JournalDriftView.h"
#include "ui/JournalDueDialog.h"
#include "journal/DueList.h"
#include <QSpinBox>
#include <QTableWidget>
#include "ui/JournalWindow.h"
#include "tests/support/JournalErrorPrinter.h"

namespace tb::journal {
namespace {

using testing::PdfText;
using testing::ReadFile;
using testing::SampleEntry;

class JournalWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tb::testing::EnsureQtApp();
        tb::journal::JournalError error;
        auto store = JournalStore::OpenSqlite(location_.sqlitePath, error);
        ASSERT_NE(store, nullptr) << error;
        // Logger 00A1B2C3: a receive, two sends (one failed) on one day; another unit later.
        JournalEntry receive = SampleEntry("00A1B2C3", "2026-12-09T01:00:00.000Z");
        receive.operation = "receive";
        for (JournalEntry entry : {receive, SampleEntry("00A1B2C3", "2026-12-09T01:10:00.000Z"),
                                   SampleEntry("00A1B2C3", "2026-12-09T01:20:00.000Z", false),
                                   SampleEntry("00FFEE01", "2026-12-10T03:00:00.000Z")}) {
            ASSERT_TRUE(store->Append(entry, error)) << error;
            written_.push_back(entry);
        }
    }

    tb::testing::TempDir dir_;
    tb::testing::ScopedEnv settings_{"TRIMBENCH_SETTINGS_FILE", dir_.str() + "/settings.ini"};
    JournalLocation location_{Engine::Sqlite, dir_.str() + "/journal.sqlite3", {}};
    std::vector<JournalEntry> written_;
    services::ScriptedMessageBoxes boxes_;
};

TEST_F(JournalWindowTest, ListsNewestFirstFiltersAndShowsTheSelectedRowInFull) {
    ui::JournalWindow window(location_);
    window.show();
    ASSERT_TRUE(window.HasJournal());
    ui::JournalTableModel& model = *window.Model();
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.index(0, ui::JournalTableModel::kSerial).data().toString(), "00FFEE01");
    EXPECT_EQ(model.index(3, ui::JournalTableModel::kOperation).data().toString(), "設定値受信");
    EXPECT_EQ(model.index(1, ui::JournalTableModel::kOutcome).data().toString(),
              "失敗 (メッセージ 1048)");
    JournalEntry withCode = written_[2];
    withCode.resultCode = 5;
    EXPECT_EQ(OutcomeText(withCode), "失敗 (メッセージ 1048, コード 5)");
    EXPECT_EQ(model.index(2, ui::JournalTableModel::kAsLeft).data().toString(),
              "y = 1.000x +0.700");
    EXPECT_EQ(model.index(2, ui::JournalTableModel::kTime).data().toString(),
              "2026-12-09 10:10:00 (+09:00)");

    window.SelectRow(2);
    const std::string detail = window.DetailText();
    EXPECT_NE(detail.find("調整前: y = 1.000x +0.400"), std::string::npos) << detail;
    EXPECT_NE(detail.find("入力値: 25.0 -> 25.3"), std::string::npos) << detail;
    EXPECT_NE(detail.find(written_[1].chain), std::string::npos);

    auto* serial = window.findChild<QLineEdit*>();
    ASSERT_NE(serial, nullptr);
    serial->setText("00A1B2C3");
    window.ApplyFilters();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.Filter().serial, "00A1B2C3");

    // Every control tells assistive technology what it is and its id.
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->accessibleDescription().isEmpty()) continue;
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->metaObject()->className();
    }
    EXPECT_EQ(window.Table()->accessibleDescription(),
              QString::number(resources::journal_window::kTable));
}

TEST_F(JournalWindowTest, TheReferenceFilterNarrowsTheRowsAndTheDueListShowsTheLoggersDue) {
    {
        JournalError error;
        auto store = JournalStore::OpenSqlite(location_.sqlitePath, error);
        ASSERT_NE(store, nullptr) << error;
        JournalEntry relied = SampleEntry("00C0FFEE", "2026-12-10T04:00:00.000Z");
        relied.references = ReferencesJson({{"PT100-07", "probe", "C-1", "2099-01-01", false}});
        ASSERT_TRUE(store->Append(relied, error)) << error;
    }
    services::WriteSettingText("Journal/DueIntervals", "*=30");
    ui::JournalWindow window(location_);
    window.show();
    ASSERT_TRUE(window.HasJournal());
    QLineEdit* reference = nullptr;
    for (auto* edit : window.findChildren<QLineEdit*>())
        if (edit->accessibleDescription() == QString::number(resources::journal_window::kReferenceFilter))
            reference = edit;
    ASSERT_NE(reference, nullptr);
    reference->setText("PT100-07");
    window.ApplyFilters();
    ASSERT_EQ(window.Model()->rowCount(), 1);
    EXPECT_EQ(window.Model()->index(0, ui::JournalTableModel::kSerial).data().toString(), "00C0FFEE");
    reference->setText("PT100-0");
    window.ApplyFilters();
    EXPECT_EQ(window.Model()->rowCount(), 0);

    // Sends on 2026-12-09 and -10 are due 30 days later.
    EXPECT_NE(window.DueDialog(), nullptr);
    JournalError error;
    auto store = JournalStore::OpenSqlite(location_.sqlitePath, error);
    ASSERT_NE(store, nullptr) << error;
    auto due = std::make_unique<ui::JournalDueDialog>(*store, QDate(2026, 12, 20));
    due->Within()->setValue(19);
    ASSERT_EQ(due->Table()->rowCount(), 1) << due->Problem().toStdString();
    EXPECT_EQ(due->Table()->item(0, 1)->text(), "00A1B2C3");
    EXPECT_EQ(due->Table()->item(0, 2)->text(), "2026-12-09");
    EXPECT_EQ(due->Table()->item(0, 3)->text(), "2027-01-08");
    EXPECT_EQ(due->Table()->item(0, 4)->text(), "19");
    due->Within()->setValue(kMaxDueDays);
    EXPECT_EQ(due->Table()->rowCount(), 3);
    services::WriteSettingText("Journal/DueIntervals", "*=soon");
    due->Within()->setValue(0);
    EXPECT_EQ(due->Table()->rowCount(), 0);
    EXPECT_NE(due->Problem().indexOf("Journal/DueIntervals"), -1) << due->Problem().toStdString();
}

TEST_F(JournalWindowTest, ExportsTheFilteredRowsAsCsvAndVerifiesTheChain) {
    ui::JournalWindow window(location_);
    window.show();
    const std::string path = dir_.str() + "/export.csv";
    tb::journal::JournalError error;
    ASSERT_TRUE(window.ExportCsv(path, error)) << error;
    const std::vector<JournalEntry> newestFirst(written_.rbegin(), written_.rend());
    EXPECT_EQ(ReadFile(path), CsvText(newestFirst));
    EXPECT_EQ(window.VerifyText(), "調整記録の連鎖は正常です。(4 件)");
}

TEST_F(JournalWindowTest, ACertificateHoldsTheSerialAndTheAsFoundAndAsLeftFigures) {
    ui::JournalWindow window(location_);
    window.show();
    // Without the lab's settings nothing is issued, and the message names the setting.
    tb::journal::JournalError refusal;
    const std::string refusedPdf = dir_.str() + "/refused.pdf";
    EXPECT_FALSE(window.WriteCertificateFor(2, false, refusedPdf, refusal));
    EXPECT_NE(JournalErrorText(refusal).find("Journal/Lab"), std::string::npos) << JournalErrorText(refusal);
    EXPECT_FALSE(std::filesystem::exists(refusedPdf));
    testing::WriteLabSettings();
    // Row 2 is the successful send; the whole day adds the failed one, not the receive.
    tb::journal::JournalError error;
    EXPECT_EQ(window.CertificateEntries(2, true, error).value_or(std::vector<JournalEntry>{}).size(), 2u);
    const std::string pdf = dir_.str() + "/certificate.pdf";
    ASSERT_TRUE(window.WriteCertificateFor(2, false, pdf, error)) << error;
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("校正証明書"), std::string::npos) << text;
    EXPECT_NE(text.find("00A1B2C3"), std::string::npos) << text;
    EXPECT_NE(text.find("Kestrune Service Lab"), std::string::npos) << text;
    EXPECT_NE(text.find("y = 1.000x +0.400"), std::string::npos) << text;  // as found
    EXPECT_NE(text.find("y = 1.000x +0.700"), std::string::npos) << text;  // as left
    EXPECT_NE(text.find("確認済"), std::string::npos) << text;  // the correction read back
    EXPECT_EQ(ReadFile(pdf).rfind("%PDF", 0), 0u);
    EXPECT_NE(ReadFile(pdf).find("/FontFile"), std::string::npos);  // fonts embedded

    JournalError refused;
    EXPECT_FALSE(WriteCertificate({}, {}, pdf, refused));
    EXPECT_EQ(refused, JournalError{resources::strings::kMsgNoAdjustmentSelected});
}

TEST_F(JournalWindowTest, PickedReferencesAreRememberedWarnedWhenExpiredAndRecordedInEachRow) {
    tb::journal::JournalError error;
    auto store = JournalStore::OpenSqlite(location_.sqlitePath, error);
    ASSERT_NE(store, nullptr) << error;
    ui::JournalConditionsDialog dialog(*store);
    ASSERT_TRUE(dialog.AddReference({"PT100-07", "Pt100 probe", "JCSS-0412", "2026-03-01", "2099-02-28"}));
    ASSERT_TRUE(dialog.AddReference({"HYG-02", "hygrometer", "C-88", "2025-01-10", "2026-01-10"}));
    EXPECT_FALSE(dialog.AddReference({"DMM-1", "", "C-1", "2026-03-01", "2026-02-28"}));
    EXPECT_NE(boxes_.Last().text.find("校正期限が校正日より前です"), std::string::npos) << boxes_.Last().text;
    ASSERT_EQ(dialog.Listed().size(), 2u);
    dialog.SetInUse("PT100-07", true);
    dialog.SetInUse("HYG-02", true);
    dialog.SetAmbient("23.5", "145");
    boxes_.Clear();
    EXPECT_FALSE(dialog.Apply());  // humidity out of range: nothing kept
    EXPECT_EQ(SessionSelection(), WorkSelection{});
    EXPECT_NE(boxes_.Last().text.find("相対湿度 \"145\""), std::string::npos) << boxes_.Last().text;
    dialog.SetAmbient("23.5", "45");
    boxes_.Clear();
    ASSERT_TRUE(dialog.Apply());
    ASSERT_EQ(boxes_.Count(), 1u);  // the expired one, warned once
    EXPECT_NE(boxes_.Last().text.find("HYG-02"), std::string::npos) << boxes_.Last().text;
    EXPECT_EQ(SessionSelection(), (WorkSelection{{"HYG-02", "PT100-07"}, "23.5", "45"}));

    // A page operation from now on records them, the expired one marked.
    InstalledJournal journal(location_);
    journal.Recorder().Record(testing::SampleRecord("00A1B2C3"));
    const JournalEntry row = journal.Recorder().Store()->Fetch({}, 0, 1).front();
    const std::vector<ReferenceUse> uses = ParseReferences(row.references);
    ASSERT_EQ(uses.size(), 2u);
    EXPECT_TRUE(uses[0].expired);
    EXPECT_FALSE(uses[1].expired);
    EXPECT_EQ(row.ambientC, "23.5");

    // The certificate names them, its number, conditions, uncertainty and pages.
    testing::WriteLabSettings();
    services::WriteSettingText("Journal/Uncertainty", "CH1=±0.10 °C (k=2)");
    const std::string pdf = dir_.str() + "/sealed.pdf";
    JournalError notWritten;
    ASSERT_TRUE(WriteCertificate({row}, ConfiguredHeader(), pdf, notWritten)) << JournalErrorText(notWritten);
    const std::string text = PdfText(pdf);
    const CertificateSeal seal = SealOf({row});
    for (const std::string& expected :
         {seal.number, std::string("PT100-07"), std::string("JCSS-0412"), std::string("2099-02-28"),
          std::string("期限切れ"), std::string("23.5 °C, 45 %RH"), std::string("0.10 °C"),
          std::string("Aoba Foods"), std::string("1-2-3 Minato"), "証明書番号 " + seal.number + " — 1 / ",
          QString::fromStdString(seal.digest).toUpper().toStdString()}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    EXPECT_EQ(FindSeal(ReadFile(pdf)), seal);
    EXPECT_TRUE(CheckSeal(*journal.Recorder().Store(), seal).matches);
}

TEST_F(JournalWindowTest, ACertificateOfARowWithoutReferencesSaysNoneRecorded) {
    const std::string pdf = dir_.str() + "/plain.pdf";
    JournalError error;
    ASSERT_TRUE(WriteCertificate({written_[1]}, testing::LabHeader(), pdf, error)) << JournalErrorText(error);
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("記録なし"), std::string::npos) << text;
    // The labels are found by what they say (日 and 入 among them).
    EXPECT_NE(text.find("発行日"), std::string::npos) << text;
    EXPECT_NE(text.find("受入時"), std::string::npos) << text;
}

TEST_F(JournalWindowTest, TheDriftOfALoggerWithFiveVisitsHasFivePointsPerSeriesAndExports) {
    tb::journal::JournalError error;
    {
        auto store = JournalStore::OpenSqlite(location_.sqlitePath, error);
        ASSERT_NE(store, nullptr) << error;
        for (int visit = 0; visit < 5; ++visit) {
            pages::AdjustmentRecord record = testing::SampleRecord("00D1F7A0");
            record.channels[0].asFound = pages::Correction{1.0 + visit * 0.002, 0.1 * visit};
            const std::string utc = "2026-0" + std::to_string(visit + 1) + "-15T01:00:00.000Z";
            JournalEntry entry = EntryFromRecord(record, {utc, 540, "tanaka", "1.31"});
            ASSERT_TRUE(store->Append(entry, error)) << error;
        }
    }
    ui::JournalWindow window(location_);
    window.show();
    ASSERT_EQ(window.Model()->index(0, ui::JournalTableModel::kSerial).data().toString(), "00D1F7A0");
    const auto drift = window.DriftViewFor(0, error);
    ASSERT_NE(drift, nullptr) << error;
    EXPECT_EQ(drift->Series().channel, "CH1");
    EXPECT_EQ(drift->AsFoundSlope()->count(), 5);
    EXPECT_EQ(drift->AsFoundOffset()->count(), 5);
    EXPECT_EQ(drift->AsLeftSlope()->count(), 5);
    EXPECT_DOUBLE_EQ(drift->AsFoundSlope()->at(4).y(), 1.008);
    EXPECT_DOUBLE_EQ(drift->AsFoundOffset()->at(2).y(), 0.2);
    EXPECT_NE(drift->HoverText(0).find("y = 1.000x +0.000"), std::string::npos) << drift->HoverText(0);
    // Each value axis follows the values (limits far from them would
    // flatten the drift to a line) and names the limits in its title; the
    // limits are dashed lines, never a filled band; visits months apart are
    // told apart by their dates.
    const auto vertical = drift->Chart()->axes(Qt::Vertical);
    ASSERT_EQ(vertical.size(), 2);
    const auto* slopeAxis = qobject_cast<QValueAxis*>(vertical[0]);
    ASSERT_NE(slopeAxis, nullptr);
    EXPECT_LT(slopeAxis->min(), 1.0);
    EXPECT_GT(slopeAxis->max(), 1.008);
    EXPECT_GE(0.008 / (slopeAxis->max() - slopeAxis->min()), 0.25) << "the drift reads as a slope";
    EXPECT_NE(slopeAxis->titleText().indexOf(QStringLiteral("0.00 … 2.00")), -1)
        << slopeAxis->titleText().toStdString();
    int dashed = 0;
    for (const QAbstractSeries* series : drift->Chart()->series()) {
        EXPECT_NE(series->type(), QAbstractSeries::SeriesTypeArea);
        const auto* line = qobject_cast<const QLineSeries*>(series);
        if (line && line->pen().style() == Qt::DashLine) ++dashed;
    }
    EXPECT_EQ(dashed, 4) << "two limits for each of slope and offset";
    const auto* time = qobject_cast<QDateTimeAxis*>(drift->Chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->format(), "yyyy-MM-dd");

    const std::string png = dir_.str() + "/drift.png";
    const std::string csv = dir_.str() + "/drift.csv";
    ASSERT_TRUE(drift->SavePng(png, error)) << error;
    EXPECT_EQ(ReadFile(png).substr(1, 3), "PNG");
    EXPECT_GT(ReadFile(png).size(), 1000u);
    // Kept to be looked at.
    QDir().mkpath(QStringLiteral(TB_ARTEFACT_DIR));
    QFile::remove(QStringLiteral(TB_ARTEFACT_DIR "/journal-drift.png"));
    QFile::copy(QString::fromStdString(png), QStringLiteral(TB_ARTEFACT_DIR "/journal-drift.png"));
    ASSERT_TRUE(drift->SaveCsv(csv, error)) << error;
    const std::string text = ReadFile(csv);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    EXPECT_NE(text.find(",CH1,1.008,0.400,1.000,0.700,success"), std::string::npos) << text;

    // The certificate can carry the same drift as a picture.
    testing::WriteLabSettings();
    const std::string pdf = dir_.str() + "/drift.pdf";
    ASSERT_TRUE(window.WriteCertificateFor(0, false, pdf, error, true)) << error;
    EXPECT_NE(PdfText(pdf).find("ドリフト — CH1"), std::string::npos) << PdfText(pdf);
    EXPECT_NE(ReadFile(pdf).find("/Subtype /Image"), std::string::npos);
}

TEST_F(JournalWindowTest, TheMainWindowsMenuEntryOpensTheJournal) {
    app::SheetPages pages;
    pages.models.push_back(std::make_unique<app::CEmptyPage>(resources::kDialogLgr820));
    pages.settings = std::make_unique<app::CPageSettings>();
    app::CTrimbenchDlg dialog(std::move(pages), 0, nullptr, location_);
    ASSERT_NE(dialog.JournalAction(), nullptr);
    EXPECT_EQ(dialog.JournalAction()->text(), "調整記録…");
    ui::JournalWindow* window = dialog.ShowJournalWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Model()->rowCount(), 4);
    EXPECT_EQ(dialog.ShowJournalWindow(), window);
}

}  // namespace
}  // namespace tb::journal
