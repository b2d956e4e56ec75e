// What a calibration certificate states, independent of how it is written
// out: the administrative data a lab's certificate carries (who issued it,
// for whom, where and when, about which item, by which method, who
// authorised it) and the results per channel and point, with their units,
// expanded uncertainties and the conformity statement with its decision
// rule. The machine-readable certificate (DccWriter.h) is written from it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tb::journal {

// A unit as people read it ("°C") and in the D-SI form a machine reads
// ("\degreeCelsius").
struct ReportUnit {
    std::string display;
    std::string dsi;
};

// A value as reported: the number and how many decimals it is reported to.
struct ReportValue {
    double value = 0.0;
    int decimals = 0;
};

// The expanded uncertainty U = k·u with its coverage factor and probability.
struct ExpandedUncertainty {
    ReportValue u;  // U itself, rounded to at most two significant digits
    double coverageFactor = 2.0;
    double coverageProbability = 0.95;
};

// One calibration point of a channel: the reference's value, what the
// logger read as found, and the errors (reading − reference) as found and as
// left; the as-left error is computed from the correction read back from
// the logger.
struct ResultPoint {
    ReportValue reference;
    ReportValue readingAsFound;
    ReportValue errorAsFound;
    std::optional<ReportValue> errorAsLeft;  // none when the logger's state is unknown
    std::optional<ExpandedUncertainty> uncertainty;  // none: not evaluated
};

enum class DecisionRule {
    SimpleAcceptance,  // the error itself within the limits
    GuardBanded,       // the error within the limits narrowed by U
};

enum class Verdict { Pass, Fail, NotStated };

// The conformity statement: the rule, the limits of permissible error it
// judges against and what it found for the results it covers.
struct ConformityStatement {
    DecisionRule rule = DecisionRule::SimpleAcceptance;
    ReportValue lowerLimit;
    ReportValue upperLimit;
    Verdict verdict = Verdict::NotStated;
    std::string covers;  // which results the verdict covers ("as left, all points")
};

struct ChannelResult {
    std::string name;  // as the page labels the channel
    std::string quantity;  // "temperature", "relative humidity", ...
    ReportUnit unit;
    std::vector<ResultPoint> points;
    std::optional<ConformityStatement> conformity;
};

// A reference instrument the results rely on.
struct CertificateReference {
    std::string id;
    std::string description;
    std::string certificateNumber;
    std::string dueDate;  // "YYYY-MM-DD"
};

// An ambient condition during the calibration.
struct AmbientCondition {
    std::string name;  // "ambient temperature"
    ReportValue value;
    ReportUnit unit;
};

struct Party {
    std::string name;
    std::string address;  // lines joined by '\n'
    std::string email;    // empty when not given
};

enum class WorkPlace { Laboratory, CustomerSite };

struct Authoriser {
    std::string name;
    std::string role;
};

struct CertificateContent {
    std::string number;
    std::string replaces;  // the number of the certificate this one corrects, if any
    std::string language = "en";  // ISO 639-1 of the texts
    std::string countryCode = "JP";  // ISO 3166-1 of the issuing lab
    std::string softwareName;
    std::string softwareVersion;
    std::string receiptDate;  // "YYYY-MM-DD", empty when not stated
    std::string firstCalibrationDate;
    std::string lastCalibrationDate;
    std::string issueDate;
    Party lab;
    WorkPlace place = WorkPlace::Laboratory;
    std::string siteAddress;  // where the work was done when on site
    Party customer;
    std::string method;  // the method or procedure identifier
    std::string itemManufacturer;
    std::string itemModel;
    std::string itemSerial;
    std::string itemCondition;  // as found ("as received")
    Authoriser authoriser;
    std::vector<CertificateReference> references;
    std::vector<AmbientCondition> conditions;
    std::vector<ChannelResult> channels;
};

}  // namespace tb::journal
