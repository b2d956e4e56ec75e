// The machine-readable certificate: every document the writer makes is
// valid against the DCC 3.1.2 schema (xmllint), and reading it back gives
// the values, units and verdicts it was made from. And the rounding of
// reported values: U to two significant digits, never smaller.
#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "journal/DccWriter.h"
#include "journal/ReportRounding.h"
#include "journal/ReportUnits.h"
#include "tests/support/DccDocument.h"

namespace tb::journal {
namespace {

namespace fs = std::filesystem;
using testsupport::All;
using testsupport::ReadBack;
using testsupport::ValidatesAgainstSchema;

struct UncertaintyCase {
    double expanded;
    double rounded;
    int decimals;
};

TEST(ReportRounding, UncertaintyHasAtMostTwoSignificantDigitsRoundedUp) {
    const UncertaintyCase cases[] = {
        {0.123, 0.13, 2}, {0.1, 0.10, 2},   {1.0, 1.0, 1},     {0.0449, 0.045, 3},
        {9.96, 10, 0},    {0.996, 1.0, 1},  {12.3, 13, 0},     {150, 150, 0},
        {0.3, 0.30, 2},   {0.001, 0.0010, 4}, {2.5, 2.5, 1},   {0.25, 0.25, 2},
    };
    for (const UncertaintyCase& c : cases) {
        const auto u = RoundUncertainty(c.expanded);
        ASSERT_TRUE(u) << c.expanded;
        EXPECT_NEAR(u->u.value, c.rounded, 1e-12) << c.expanded;
        EXPECT_EQ(u->u.decimals, c.decimals) << c.expanded;
        EXPECT_GE(u->u.value, c.expanded - 1e-12) << "never stated smaller: " << c.expanded;
    }
    for (const double bad : {0.0, -0.2, std::nan(""), double(INFINITY), 1e-12})
        EXPECT_FALSE(RoundUncertainty(bad)) << bad;
}

TEST(ReportRounding, ResultTakesItsUncertaintysDecimalPlace) {
    const auto u = RoundUncertainty(0.123);
    EXPECT_EQ(FormatReportValue(RoundResult(20.437, u, 1)), "20.44");
    EXPECT_EQ(FormatReportValue(RoundResult(20.437, std::nullopt, 1)), "20.4");
    EXPECT_EQ(FormatReportValue(RoundResult(-0.004, u, 1)), "0.00");
    EXPECT_EQ(FormatReportValue(RoundTo(-1.25, 1)), "-1.3");
    EXPECT_EQ(FormatReportValue(RoundTo(1234.5, 0)), "1235");
    EXPECT_EQ(FormatReportValue({-0.04, 1}), "0.0");
}

TEST(ReportUnits, EveryUnitThePagesShowHasItsDsiFormAndFahrenheitHasNone) {
    const std::pair<const char*, const char*> units[] = {
        {"°C", "\\degreeCelsius"}, {"℃", "\\degreeCelsius"}, {"%RH", "\\percent"},
        {"lx", "\\lux"},           {"ppm", "\\ppm"},        {"V", "\\volt"},
        {"mA", "\\milli\\ampere"}, {"dB", "\\decibel"},
        {"mW/cm2", "\\milli\\watt\\centi\\metre\\tothe{-2}"},
    };
    for (const auto& [display, dsi] : units) {
        const auto unit = UnitOf(display);
        ASSERT_TRUE(unit) << display;
        EXPECT_EQ(unit->dsi, dsi) << display;
        EXPECT_EQ(unit->display, display);
    }
    for (const char* other : {"°F", "", "c", "mw/cm2", "°C "}) EXPECT_FALSE(UnitOf(other)) << other;
    EXPECT_DOUBLE_EQ(FahrenheitToCelsius(212.0), 100.0);
    EXPECT_DOUBLE_EQ(FahrenheitToCelsius(-40.0), -40.0);
    EXPECT_DOUBLE_EQ(FahrenheitDifferenceToCelsius(1.8), 1.0);
}

// An 830 certificate: temperature with an evaluated uncertainty and a pass,
// humidity without one, guard-banded, its second as-left unknown.
CertificateContent SampleContent(const std::string& language) {
    CertificateContent c;
    c.number = "TB-2026-0042";
    c.language = language;
    c.softwareName = "Trimbench";
    c.softwareVersion = "2.4.0";
    c.firstCalibrationDate = "2026-12-08";
    c.lastCalibrationDate = "2026-12-09";
    c.issueDate = "2026-12-10";
    c.lab = {"Trimbench Calibration Lab", "1-2-3 Example\nTokyo", "lab@example.org"};
    c.customer = {"Example Foods", "4-5-6 Sample\nOsaka", ""};
    c.method = "TB-CAL-830 rev. 3";
    c.itemManufacturer = "Trimbench";
    c.itemModel = "830";
    c.itemSerial = "0000FA17";
    c.itemCondition = "as received";
    c.authoriser = {"Hanako Sato", "head of calibration"};
    c.references = {{"REF-7", "reference thermometer", "JCSS-1234", "2027-03-31"}};
    c.conditions = {{"ambient temperature", {23.5, 1}, {"°C", "\\degreeCelsius"}},
                    {"ambient relative humidity", {45, 0}, {"%RH", "\\percent"}}};
    const auto u = RoundUncertainty(0.123);
    ChannelResult temperature{"温度", "temperature", {"°C", "\\degreeCelsius"}, {}, {}};
    temperature.points.push_back({{20.0, 2}, {20.41, 2}, {0.41, 2}, ReportValue{0.01, 2}, u});
    temperature.points.push_back({{40.0, 2}, {40.37, 2}, {0.37, 2}, ReportValue{-0.02, 2}, u});
    temperature.conformity = ConformityStatement{DecisionRule::SimpleAcceptance, {-0.5, 1},
                                                 {0.5, 1}, Verdict::Pass, "as left, all points"};
    ChannelResult humidity{"湿度", "relative humidity", {"%RH", "\\percent"}, {}, {}};
    humidity.points.push_back({{50, 0}, {52, 0}, {2, 0}, ReportValue{0, 0}, std::nullopt});
    humidity.points.push_back({{80, 0}, {83, 0}, {3, 0}, std::nullopt, std::nullopt});
    humidity.conformity = ConformityStatement{DecisionRule::GuardBanded, {-3, 0}, {3, 0},
                                              Verdict::Fail, "as left, all points"};
    c.channels = {temperature, humidity};
    return c;
}

class DccWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("tb-dcc-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_;
};

struct DocumentCase {
    const char* name;
    const char* language;
    WorkPlace place;
    const char* replaces;
    bool withReferences;
};

TEST_F(DccWriterTest, EveryDocumentIsValidAndReadsBackItsContent) {
    const DocumentCase cases[] = {
        {"lab, English", "en", WorkPlace::Laboratory, "", true},
        {"on site, Japanese, a correction", "ja", WorkPlace::CustomerSite, "TB-2026-0041", true},
        {"no references or conditions", "en", WorkPlace::Laboratory, "", false},
    };
    for (const DocumentCase& c : cases) {
        SCOPED_TRACE(c.name);
        CertificateContent content = SampleContent(c.language);
        content.place = c.place;
        content.siteAddress = "Plant 2, Osaka";
        content.replaces = c.replaces;
        if (!c.withReferences) {
            content.references.clear();
            content.conditions.clear();
        }
        const fs::path file = folder_ / "certificate.xml";
        ASSERT_EQ(WriteDcc(content, file.string()), DccWriteResult::Written);
        EXPECT_TRUE(ValidatesAgainstSchema(file));

        const auto texts = ReadBack(file);
        EXPECT_EQ(All(texts, "dcc:uniqueIdentifier"), std::vector<std::string>{"TB-2026-0042"});
        EXPECT_EQ(All(texts, "dcc:performanceLocation"),
                  std::vector<std::string>{c.place == WorkPlace::Laboratory ? "laboratory"
                                                                            : "customer"});
        // Per channel: the conditions (when given), then per point the
        // reference, the reading and the errors as found and as left (the
        // humidity's last as-left unknown).
        std::vector<std::string> values;
        const std::vector<std::string> conditions =
            c.withReferences ? std::vector<std::string>{"23.5", "45"} : std::vector<std::string>{};
        values.insert(values.end(), conditions.begin(), conditions.end());
        for (const char* v : {"20.00", "20.41", "0.41", "0.01", "40.00", "40.37", "0.37", "-0.02"})
            values.push_back(v);
        values.insert(values.end(), conditions.begin(), conditions.end());
        for (const char* v : {"50", "52", "2", "0", "80", "83", "3"}) values.push_back(v);
        EXPECT_EQ(All(texts, "si:value"), values);
        const std::vector<std::string> units = All(texts, "si:unit");
        EXPECT_EQ(std::count(units.begin(), units.end(), "\\degreeCelsius"),
                  c.withReferences ? 10 : 8);
        EXPECT_EQ(units.size(), values.size());
        // The replaced number, the logger's serial, the reference per channel.
        std::vector<std::string> identifications;
        if (std::string(c.replaces).size() > 0) identifications.push_back(c.replaces);
        identifications.push_back("0000FA17");
        if (c.withReferences) identifications.insert(identifications.end(), {"REF-7", "REF-7"});
        EXPECT_EQ(All(texts, "dcc:value"), identifications);
        EXPECT_EQ(All(texts, "si:uncertainty"), std::vector<std::string>(4, "0.13"));
        EXPECT_EQ(All(texts, "si:coverageFactor"), std::vector<std::string>(4, "2"));
        EXPECT_EQ(All(texts, "si:coverageProbability"), std::vector<std::string>(4, "0.95"));
        EXPECT_EQ(All(texts, "dcc:conformity"), (std::vector<std::string>{"pass", "fail"}));
        const auto declarations = All(texts, "dcc:content");
        const auto mentions = [&](const std::string& text) {
            return std::any_of(declarations.begin(), declarations.end(), [&](const std::string& d) {
                return d.find(text) != std::string::npos;
            });
        };
        EXPECT_TRUE(mentions("relate only to the item calibrated"));
        EXPECT_TRUE(mentions("measurement uncertainty not evaluated"));
        EXPECT_TRUE(mentions("温度"));
        EXPECT_EQ(mentions("replaces certificate"), std::string(c.replaces).size() > 0);
        EXPECT_EQ(mentions("Plant 2, Osaka"), c.place == WorkPlace::CustomerSite);
    }
}

TEST_F(DccWriterTest, IncompleteOrUnwritableLeavesNothingBehind) {
    const fs::path file = folder_ / "certificate.xml";
    std::ofstream(file) << "earlier";
    CertificateContent noChannels = SampleContent("en");
    noChannels.channels.clear();
    CertificateContent noNumber = SampleContent("en");
    noNumber.number.clear();
    EXPECT_EQ(WriteDcc(noChannels, file.string()), DccWriteResult::Incomplete);
    EXPECT_EQ(WriteDcc(noNumber, file.string()), DccWriteResult::Incomplete);
    EXPECT_EQ(WriteDcc(SampleContent("en"), (folder_ / "missing" / "c.xml").string()),
              DccWriteResult::CannotWrite);
    std::ifstream in(file);
    const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, "earlier");
    EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

}  // namespace
}  // namespace tb::journal
