// The PDF and the DCC of one certificate say the same: for a one-channel,
// a two-channel and a multi-input logger, the DCC is valid against the
// schema, and every value it carries is printed in the PDF with its unit.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "journal/Certificate.h"
#include "journal/CertificateBuilder.h"
#include "journal/DccWriter.h"
#include "journal/ReportUnits.h"
#include "tests/journal/DocumentText.h"
#include "tests/journal/JournalSamples.h"
#include "tests/support/DccDocument.h"
#include "tests/support/GuiApp.h"

namespace tb::journal {
namespace {

namespace fs = std::filesystem;

pages::ChannelRecord Channel(const char* name, const char* unit, std::vector<std::string> points,
                             pages::Correction asLeft) {
    pages::ChannelRecord channel;
    channel.name = name;
    channel.unit = unit;
    channel.enteredPoints = std::move(points);
    channel.asFound = pages::Correction{};
    channel.asLeft = asLeft;
    return channel;
}

struct LoggerCase {
    const char* model;
    std::vector<pages::ChannelRecord> channels;
    std::map<std::string, std::string> printedUnits;  // the DCC's unit, as the PDF prints it
};

class CertificateDocuments : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { tb::testing::EnsureGuiApp(); }
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tb-certificate-documents-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(CertificateDocuments, TheDccIsValidAndCarriesThePdfsValues) {
    const LoggerCase cases[] = {
        {"820", {Channel("CH1", "°C", {"20.0", "20.4"}, {1.0, 0.4})}, {{"\\degreeCelsius", "°C"}}},
        {"830",
         {Channel("CH1", "°C", {"20.0", "20.4", "40.0", "40.2"}, {0.99, 0.6}),
          Channel("CH2", "%RH", {"50", "52"}, {1.0, 2.0})},
         {{"\\degreeCelsius", "°C"}, {"\\percent", "%RH"}}},
        {"850", {Channel("CH1", "mA", {"4.000", "4.012", "20.000", "20.030"}, {1.001, 0.008})},
         {{"\\milli\\ampere", "mA"}}},
    };
    for (const LoggerCase& c : cases) {
        SCOPED_TRACE(c.model);
        pages::AdjustmentRecord record = testing::SampleRecord("00A1B2C3");
        record.page = record.model = c.model;
        record.channels = c.channels;
        JournalEntry row = EntryFromRecord(record, {"2026-12-09T02:00:00.000Z", 540, "tanaka", "1.31"});
        row.id = 3;
        CertificateHeader header = testing::LabHeader();
        header.uncertainty = "°C=0.12; %RH=1.5; mA=0.004";
        header.tolerance = "°C=0.5; %RH=3; mA=0.02";
        JournalError error;
        const auto content = CertificateContentOf({row}, header, "TB-000003-0000ABCD", error);
        ASSERT_TRUE(content) << JournalErrorText(error);
        const fs::path pdf = folder_ / (std::string(c.model) + ".pdf");
        const fs::path dcc = folder_ / (std::string(c.model) + ".xml");
        ASSERT_TRUE(WriteCertificatePdf(*content, {row}, pdf.string(), error)) << JournalErrorText(error);
        ASSERT_EQ(WriteDcc(InSiUnits(*content), dcc.string()), DccWriteResult::Written);
        EXPECT_TRUE(testsupport::ValidatesAgainstSchema(dcc));

        const auto texts = testsupport::ReadBack(dcc);
        const std::string shown = testing::SearchText(testing::PdfText(pdf.string()));
        const std::vector<std::string> values = testsupport::All(texts, "si:value");
        const std::vector<std::string> units = testsupport::All(texts, "si:unit");
        ASSERT_EQ(values.size(), units.size());
        std::size_t points = 0;
        for (const auto& channel : c.channels) points += channel.enteredPoints.size() / 2;
        EXPECT_EQ(values.size(), points * 4);  // reference, reading, two errors
        for (std::size_t i = 0; i < values.size(); ++i) {
            ASSERT_TRUE(c.printedUnits.contains(units[i])) << units[i];
            const std::string printed = values[i] + c.printedUnits.at(units[i]);
            EXPECT_NE(shown.find(printed), std::string::npos) << printed << "\n" << shown;
        }
        for (const std::string& u : testsupport::All(texts, "si:uncertainty"))
            EXPECT_NE(shown.find(u), std::string::npos) << u;
        EXPECT_EQ(testsupport::All(texts, "dcc:conformity").size(), c.channels.size());
    }
}

}  // namespace
}  // namespace tb::journal
