// The drift charts on the certificate's pages, read back from the PDF
// itself: a two-channel logger with several visits (two on one day) gets a
// chart per channel, each drawn inside the page's printable area, and no
// chart's heading ends a page its picture is not on. The PDF and its pages
// as PNGs are kept in artefacts/ to be looked at.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "journal/DayCertificate.h"
#include "journal/JournalStore.h"
#include "tests/journal/JournalSamples.h"
#include "tests/services/TempDir.h"
#include "tests/support/GuiApp.h"

namespace tb::journal {
namespace {

// A4 in PDF points, and the writer's 18 mm margins.
constexpr double kPageWidth = 595.0;
constexpr double kPageHeight = 842.0;
constexpr double kMargin = 18.0 / 25.4 * 72.0;

struct DrawnImage {
    int page = 0;
    double left = 0, top = 0, width = 0, height = 0;
};

std::string RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) return {};
    return process.readAllStandardOutput().toStdString();
}

// Where pdftohtml finds each drawn image, in points from the page's top left.
std::vector<DrawnImage> DrawnImages(const std::string& pdf, const std::string& folder) {
    RunTool(QStringLiteral("pdftohtml"), {"-xml", "-q", "-zoom", "1", QString::fromStdString(pdf),
                                      QString::fromStdString(folder + "/layout")});
    QFile file(QString::fromStdString(folder + "/layout.xml"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString xml = QString::fromUtf8(file.readAll());
    std::vector<DrawnImage> images;
    int page = 0;
    static const QRegularExpression tag(
        QStringLiteral(R"re(<page number="(\d+)"|<image top="([-\d.]+)" left="([-\d.]+)" )re"
                       R"re(width="([-\d.]+)" height="([-\d.]+)")re"));
    for (auto match = tag.globalMatch(xml); match.hasNext();) {
        const auto found = match.next();
        if (!found.captured(1).isEmpty()) {
            page = found.captured(1).toInt();
            continue;
        }
        images.push_back({page, found.captured(3).toDouble(), found.captured(2).toDouble(),
                          found.captured(4).toDouble(), found.captured(5).toDouble()});
    }
    return images;
}

// The page (from 1) each text is first found on; 0 when on none.
std::map<std::string, int> PagesOf(const std::string& pdf, const std::vector<std::string>& texts) {
    const std::string text = RunTool(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), "-"});
    std::map<std::string, int> pages;
    for (const std::string& wanted : texts) {
        const std::size_t at = text.find(wanted);
        pages[wanted] = at == std::string::npos
                            ? 0
                            : 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\f'));
    }
    return pages;
}

// A send of the two-channel 830 at a UTC time, its as-found drifting.
JournalEntry Visit830(const std::string& utc, int visit) {
    pages::AdjustmentRecord record = testing::SampleRecord("00C83001");
    record.page = record.model = "830";
    pages::ChannelRecord humidity = record.channels[0];
    humidity.name = "CH2";
    humidity.asFound = pages::Correction{1.0 - 0.004 * visit, 0.5 * visit};
    record.channels[0].asFound = pages::Correction{1.0 + 0.002 * visit, 0.1 * visit};
    record.channels.push_back(humidity);
    return EntryFromRecord(record, {utc, 540, "tanaka", "1.31"});
}

class CertificateChartsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { tb::testing::EnsureGuiApp(); }
    tb::testing::TempDir dir_;
    tb::testing::ScopedEnv settings_{"TRIMBENCH_SETTINGS_FILE", dir_.str() + "/settings.ini"};
};

TEST_F(CertificateChartsTest, EveryChannelHasItsChartInsideThePrintableArea) {
    JournalError error;
    auto store = JournalStore::OpenSqlite(dir_.str() + "/journal.sqlite3", error);
    ASSERT_NE(store, nullptr) << JournalErrorText(error);
    // Four visits months apart, then three on one day.
    const std::vector<std::string> times = {
        "2025-03-02T01:00:00.000Z", "2025-06-10T02:00:00.000Z", "2025-09-15T03:00:00.000Z",
        "2025-12-01T04:00:00.000Z", "2026-03-04T00:30:00.000Z", "2026-03-04T02:45:00.000Z",
        "2026-03-04T05:10:00.000Z"};
    JournalEntry last;
    for (std::size_t i = 0; i < times.size(); ++i) {
        last = Visit830(times[i], static_cast<int>(i));
        ASSERT_TRUE(store->Append(last, error)) << JournalErrorText(error);
    }
    const std::string pdf = dir_.str() + "/drift.pdf";
    CertificateRequest request;
    request.selected = last;
    request.withDrift = true;
    request.header = testing::LabHeader();
    request.path = pdf;
    const CertificateOutcome outcome = WriteCertificateOf(*store, request);
    ASSERT_EQ(outcome.result, CertificateResult::Written) << JournalErrorText(outcome.error);

    const std::string artefacts = TB_ARTEFACT_DIR "/certificate-charts";
    QDir().mkpath(QString::fromStdString(artefacts));
    QFile::remove(QString::fromStdString(artefacts + "/certificate.pdf"));
    QFile::copy(QString::fromStdString(pdf), QString::fromStdString(artefacts + "/certificate.pdf"));
    RunTool(QStringLiteral("pdftoppm"), {"-r", "60", "-png", QString::fromStdString(pdf),
                                     QString::fromStdString(artefacts + "/page")});

    const std::vector<DrawnImage> images = DrawnImages(pdf, dir_.str());
    ASSERT_EQ(images.size(), 2u) << "one chart per channel";
    const auto headings = PagesOf(pdf, {"CH1 (", "CH2 ("});
    for (std::size_t i = 0; i < images.size(); ++i) {
        const DrawnImage& image = images[i];
        SCOPED_TRACE("chart " + std::to_string(i + 1) + " on page " + std::to_string(image.page));
        EXPECT_GT(image.width, 100.0);
        EXPECT_GE(image.left, kMargin - 1.0);
        EXPECT_GE(image.top, kMargin - 1.0);
        EXPECT_LE(image.left + image.width, kPageWidth - kMargin + 1.0);
        EXPECT_LE(image.top + image.height, kPageHeight - kMargin + 1.0);
        const std::string heading = i == 0 ? "CH1 (" : "CH2 (";
        EXPECT_EQ(headings.at(heading), image.page) << heading << " is not on its chart's page";
    }
}

}  // namespace
}  // namespace tb::journal
