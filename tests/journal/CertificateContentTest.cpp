// What a certificate states, from the journal's rows and the lab's
// settings: every item it must carry or a refusal that names it, the lab's
// stated figures, and the results with their errors, U and verdict.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "journal/CertificateBuilder.h"
#include "journal/CertificateResults.h"
#include "journal/ReportRounding.h"
#include "journal/ReportUnits.h"
#include "journal/StatedFigures.h"
#include "resources/StringIds.h"
#include "tests/journal/JournalSamples.h"

namespace tb::journal {
namespace {

using namespace resources::strings;

std::vector<JournalEntry> Rows(const pages::ChannelRecord& channel) {
    pages::AdjustmentRecord record = testing::SampleRecord("00A1B2C3");
    record.channels = {channel};
    JournalEntry entry = EntryFromRecord(record, {"2026-12-09T02:00:00.000Z", 540, "tanaka", "1.31"});
    entry.id = 7;
    return {entry};
}

pages::ChannelRecord Channel(const std::string& unit, std::vector<std::string> points,
                             pages::Correction asFound, std::optional<pages::Correction> asLeft) {
    pages::ChannelRecord channel;
    channel.name = "CH1";
    channel.unit = unit;
    channel.enteredPoints = std::move(points);
    channel.asFound = asFound;
    channel.asLeft = asLeft;
    return channel;
}

struct RefusalCase {
    const char* name;
    std::function<void(CertificateHeader&)> change;
    int refusal;
};

TEST(CertificateContent, IsRefusedWithTheFirstItemItLacks) {
    const RefusalCase cases[] = {
        {"no lab", [](auto& h) { h.lab.clear(); }, kMsgCertificateNoLab},
        {"no lab address", [](auto& h) { h.labAddress.clear(); }, kMsgCertificateNoLabAddress},
        {"no customer", [](auto& h) { h.customer.clear(); }, kMsgCertificateNoCustomer},
        {"on site without the customer's address",
         [](auto& h) {
             h.place = "site";
             h.customerAddress.clear();
         },
         kMsgCertificateNoSiteAddress},
        {"a place that is neither", [](auto& h) { h.place = "home"; }, kMsgCertificateBadPlace},
        {"no method", [](auto& h) { h.method.clear(); }, kMsgCertificateNoMethod},
        {"no authoriser's role", [](auto& h) { h.approverRole.clear(); }, kMsgCertificateNoApprover},
        {"an unknown decision rule", [](auto& h) { h.decisionRule = "lenient"; }, kMsgCertificateBadRule},
        {"an uncertainty that does not parse", [](auto& h) { h.uncertainty = "°C=about 0.1"; },
         kMsgStatedFigureUnreadable},
        {"a tolerance in another unit", [](auto& h) { h.tolerance = "°C=0.5 %RH"; }, kMsgStatedFigureUnreadable},
        {"no uncertainty for the channel", [](auto& h) { h.uncertainty = "%RH=1.5"; },
         kMsgCertificateNoUncertainty},
        {"a receipt after the calibration", [](auto& h) { h.receiptDate = "2026-12-31"; },
         kMsgCertificateBadReceipt},
        {"a receipt date that is no date", [](auto& h) { h.receiptDate = "2026-13-01"; },
         kMsgCertificateBadReceipt},
    };
    const auto rows = Rows(Channel("°C", {"25.0", "25.3"}, {1.0, 0.4}, pages::Correction{1.0, 0.7}));
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        CertificateHeader header = testing::LabHeader();
        c.change(header);
        JournalError error;
        EXPECT_FALSE(CertificateContentOf(rows, header, "TB-1", error));
        EXPECT_EQ(error.text, c.refusal);
    }
    // A channel recorded before units were recorded cannot be reported.
    JournalError error;
    EXPECT_FALSE(CertificateContentOf(Rows(Channel("", {"25.0", "25.3"}, {1.0, 0.4}, std::nullopt)),
                                      testing::LabHeader(), "TB-1", error));
    EXPECT_EQ(error, (JournalError{kMsgCertificateNoUnit, {"7", "CH1"}}));
}

TEST(CertificateContent, CarriesTheHeaderTheDatesAndTheItem) {
    CertificateHeader header = testing::LabHeader();
    header.place = "site";
    header.receiptDate = "2026-12-01";
    header.replaces = "TB-000006-00000000";
    JournalError error;
    const auto content = CertificateContentOf(
        Rows(Channel("°C", {"25.0", "25.3"}, {1.0, 0.4}, pages::Correction{1.0, 0.7})), header, "TB-9", error);
    ASSERT_TRUE(content) << JournalErrorText(error);
    EXPECT_EQ(content->number, "TB-9");
    EXPECT_EQ(content->replaces, "TB-000006-00000000");
    EXPECT_EQ(content->place, WorkPlace::CustomerSite);
    EXPECT_EQ(content->siteAddress, header.customerAddress);
    EXPECT_EQ(content->firstCalibrationDate, "2026-12-09");  // the bench's local day
    EXPECT_EQ(content->issueDate, "2026-12-10");
    EXPECT_EQ(content->receiptDate, "2026-12-01");
    EXPECT_EQ(content->itemSerial, "00A1B2C3");
    EXPECT_EQ(content->authoriser.name, "Sato Hanako");
    ASSERT_EQ(content->channels.size(), 1u);
    EXPECT_EQ(content->channels[0].quantity, "temperature");
}

TEST(StatedFigures, ReadAsTheLabWritesThemAndServeTheirChannels) {
    JournalError error;
    const auto figures =
        ParseStatedFigures("°C=±0.10 °C (k=2); %RH=1.5; CH3=0.2 V (k=1.96); *=0.5", "Journal/Uncertainty", error);
    ASSERT_TRUE(figures) << JournalErrorText(error);
    struct Lookup {
        const char* channel;
        const char* unit;
        double value;
        double k;
    };
    for (const Lookup& l : {Lookup{"CH1", "°C", 0.10, 2}, Lookup{"CH1", "°F", 0.18, 2}, Lookup{"CH2", "%RH", 1.5, 2},
                            Lookup{"CH3", "V", 0.2, 1.96}, Lookup{"CH1", "lx", 0.5, 2}}) {
        SCOPED_TRACE(std::string(l.channel) + " " + l.unit);
        const auto figure = FigureFor(*figures, l.channel, l.unit);
        ASSERT_TRUE(figure);
        EXPECT_NEAR(figure->value, l.value, 1e-12);
        EXPECT_EQ(figure->coverageFactor, l.k);
    }
    EXPECT_FALSE(FigureFor(*ParseStatedFigures("°C=0.1", "x", error), "CH1", "%RH"));
    for (const char* bad : {"0.1", "°C=", "°C=-0.1", "°C=0", "°C=0.1 (k=0)", "=0.1", "°C=0.1 %RH", "°C=1e400"}) {
        EXPECT_FALSE(ParseStatedFigures(bad, "Journal/Uncertainty", error)) << bad;
        EXPECT_EQ(error.text, kMsgStatedFigureUnreadable) << bad;
    }
}

struct ResultCase {
    const char* name;
    pages::ChannelRecord channel;
    std::string uncertainty;
    std::string tolerance;
    DecisionRule rule;
    std::vector<std::string> errorsAsFound;
    std::vector<std::string> errorsAsLeft;  // "-" unknown
    Verdict verdict;
};

TEST(CertificateResults, ErrorsAsFoundAndAsLeftWithTheirUncertaintyAndVerdict) {
    const ResultCase cases[] = {
        {"one point, offset corrected", Channel("°C", {"25.0", "25.3"}, {1.0, 0.4}, pages::Correction{1.0, 0.7}),
         "°C=0.12", "°C=0.5", DecisionRule::SimpleAcceptance, {"-0.30"}, {"0.00"}, Verdict::Pass},
        // Two points: the slope corrected too; the as-left readings are
        // 2·(0−0.2)+0.4 = 0 and 2·(10−0.2)+0.4 = 20.
        {"two points", Channel("%RH", {"0", "0", "10", "20"}, {1.0, 0.2}, pages::Correction{2.0, 0.4}), "%RH=1.5",
         "%RH=3", DecisionRule::SimpleAcceptance, {"0.0", "-10.0"}, {"0.0", "0.0"}, Verdict::Pass},
        // Read in °F, corrected in °C: 77.0 °F is 25 °C, +0.3 °C is 77.54 °F.
        {"Fahrenheit", Channel("°F", {"77.0", "77.5"}, {1.0, 0.0}, pages::Correction{1.0, 0.3}), "°C=0.1", "",
         DecisionRule::SimpleAcceptance, {"-0.50"}, {"0.04"}, Verdict::NotStated},
        {"outside the limits", Channel("°C", {"25.0", "25.3"}, {1.0, 0.4}, pages::Correction{1.0, 1.4}),
         "°C=0.12", "°C=0.5", DecisionRule::SimpleAcceptance, {"-0.30"}, {"0.70"}, Verdict::Fail},
        {"on the limit", Channel("°C", {"25.0", "25.3"}, {1.0, 0.4}, pages::Correction{1.0, 1.2}), "°C=0.12",
         "°C=0.5", DecisionRule::SimpleAcceptance, {"-0.30"}, {"0.50"}, Verdict::Pass},
        // 0.40 is within ±0.5 but not within ±(0.5 − 0.12).
        {"guard band", Channel("°C", {"25.0", "25.3"}, {1.0, 0.4}, pages::Correction{1.0, 1.1}), "°C=0.12",
         "°C=0.5", DecisionRule::GuardBanded, {"-0.30"}, {"0.40"}, Verdict::Fail},
        {"guard band passes", Channel("°C", {"25.0", "25.3"}, {1.0, 0.4}, pages::Correction{1.0, 0.5}), "°C=0.12",
         "°C=0.5", DecisionRule::GuardBanded, {"-0.30"}, {"-0.20"}, Verdict::Pass},
        {"as left unknown", Channel("°C", {"25.0", "25.3"}, {1.0, 0.4}, std::nullopt), "°C=0.12", "°C=0.5",
         DecisionRule::SimpleAcceptance, {"-0.30"}, {"-"}, Verdict::NotStated},
    };
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.name);
        JournalError error;
        ResultRules rules;
        rules.uncertainty = *ParseStatedFigures(c.uncertainty, "u", error);
        rules.tolerance = *ParseStatedFigures(c.tolerance, "t", error);
        rules.rule = c.rule;
        const auto results = ResultsOf(Rows(c.channel), rules, error);
        ASSERT_TRUE(results) << JournalErrorText(error);
        ASSERT_EQ(results->size(), 1u);
        std::vector<std::string> found, left;
        for (const ResultPoint& point : results->front().points) {
            found.push_back(FormatReportValue(point.errorAsFound));
            left.push_back(point.errorAsLeft ? FormatReportValue(*point.errorAsLeft) : "-");
        }
        EXPECT_EQ(found, c.errorsAsFound);
        EXPECT_EQ(left, c.errorsAsLeft);
        const auto& conformity = results->front().conformity;
        EXPECT_EQ(conformity ? conformity->verdict : Verdict::NotStated, c.verdict);
    }
}

TEST(CertificateResults, WithoutUncertaintyAskedForEveryPointSaysNotEvaluated) {
    ResultRules rules;
    rules.uncertaintyNotEvaluated = true;
    JournalError error;
    const auto results =
        ResultsOf(Rows(Channel("°C", {"25.0", "25.3"}, {1.0, 0.4}, pages::Correction{1.0, 0.7})), rules, error);
    ASSERT_TRUE(results);
    EXPECT_FALSE(results->front().points.front().uncertainty);
    // Reported to the decimals typed when there is no U to round to.
    EXPECT_EQ(FormatReportValue(results->front().points.front().errorAsFound), "-0.3");
}

TEST(ReportUnits, AChannelReadInFahrenheitIsReportedInCelsiusToMachines) {
    CertificateContent content;
    ChannelResult channel{"CH1", "temperature", {"°F", ""}, {}, {}};
    channel.points.push_back({{77.0, 1}, {77.5, 1}, {0.5, 1}, ReportValue{0.04, 2}, RoundUncertainty(0.18)});
    content.channels = {channel};
    const CertificateContent si = InSiUnits(content);
    const ChannelResult& c = si.channels.front();
    EXPECT_EQ(c.unit.dsi, "\\degreeCelsius");
    EXPECT_EQ(FormatReportValue(c.points[0].reference), "25.00");
    EXPECT_EQ(FormatReportValue(c.points[0].errorAsFound), "0.28");
    EXPECT_EQ(FormatReportValue(c.points[0].uncertainty->u), "0.10");  // 0.18 °F, never stated smaller
}

}  // namespace
}  // namespace tb::journal
