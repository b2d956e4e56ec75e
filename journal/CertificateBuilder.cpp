#include "journal/CertificateBuilder.h"

#include <QDate>
#include <algorithm>
#include <set>

#include "journal/CertificateResults.h"
#include "journal/JournalText.h"
#include "journal/ReportUnits.h"
#include "journal/WorkConditions.h"
#include "resources/StringIds.h"
#include "services/PageServices.h"
#include "services/Settings.h"

#ifndef TRIMBENCH_VERSION
#define TRIMBENCH_VERSION "0"
#endif

namespace tb::journal {

using namespace resources::strings;
namespace {

constexpr const char* kMaker = "KESTRUNE CORPORATION";

// The required administrative items, each refused by its own message.
JournalError MissingItem(const CertificateHeader& header, WorkPlace place) {
    if (header.lab.empty()) return {kMsgCertificateNoLab};
    if (header.labAddress.empty()) return {kMsgCertificateNoLabAddress};
    if (header.customer.empty()) return {kMsgCertificateNoCustomer};
    if (place == WorkPlace::CustomerSite && header.customerAddress.empty())
        return {kMsgCertificateNoSiteAddress};
    if (header.method.empty()) return {kMsgCertificateNoMethod};
    if (header.approver.empty() || header.approverRole.empty()) return {kMsgCertificateNoApprover};
    return {};
}

std::optional<WorkPlace> PlaceOf(const std::string& text, JournalError& error) {
    if (text.empty() || text == "lab") return WorkPlace::Laboratory;
    if (text == "site") return WorkPlace::CustomerSite;
    error = {kMsgCertificateBadPlace, {text}};
    return std::nullopt;
}

std::optional<DecisionRule> RuleOf(const std::string& text, JournalError& error) {
    if (text.empty() || text == "simple") return DecisionRule::SimpleAcceptance;
    if (text == "guard-band") return DecisionRule::GuardBanded;
    error = {kMsgCertificateBadRule, {text}};
    return std::nullopt;
}

std::optional<ResultRules> RulesOf(const CertificateHeader& header, JournalError& error) {
    ResultRules rules;
    const auto rule = RuleOf(header.decisionRule, error);
    if (!rule) return std::nullopt;
    rules.rule = *rule;
    rules.uncertaintyNotEvaluated = header.uncertaintyNotEvaluated;
    auto uncertainty = ParseStatedFigures(header.uncertainty, "Journal/Uncertainty", error);
    if (!uncertainty) return std::nullopt;
    auto tolerance = ParseStatedFigures(header.tolerance, "Journal/Tolerance", error);
    if (!tolerance) return std::nullopt;
    rules.uncertainty = std::move(*uncertainty);
    rules.tolerance = std::move(*tolerance);
    return rules;
}

void AddDates(CertificateContent& content, const std::vector<JournalEntry>& entries,
              const CertificateHeader& header) {
    std::vector<std::string> days;
    for (const JournalEntry& entry : entries) days.push_back(LocalDateText(entry));
    std::sort(days.begin(), days.end());
    content.firstCalibrationDate = days.front();
    content.lastCalibrationDate = days.back();
    content.issueDate = header.issueDate.empty()
                            ? QDate::currentDate().toString(Qt::ISODate).toStdString()
                            : header.issueDate;
    content.receiptDate = header.receiptDate;
}

bool ReceiptDateFits(const CertificateContent& content) {
    if (content.receiptDate.empty()) return true;
    const QDate receipt = QDate::fromString(QString::fromStdString(content.receiptDate), Qt::ISODate);
    return receipt.isValid() && content.receiptDate.size() == 10 &&
           content.receiptDate <= content.firstCalibrationDate;
}

void AddReferences(CertificateContent& content, const std::vector<JournalEntry>& entries) {
    std::set<std::string> seen;
    for (const JournalEntry& entry : entries) {
        for (const ReferenceUse& use : ParseReferences(entry.references)) {
            if (!seen.insert(use.id + "\n" + use.certificate).second) continue;
            content.references.push_back({use.id, use.description, use.certificate, use.dueOn});
        }
    }
}

void AddCondition(CertificateContent& content, const std::string& name, const std::string& value,
                  const char* unit) {
    bool ok = false;
    const double number = QString::fromStdString(value).toDouble(&ok);
    if (!ok) return;
    const qsizetype point = QString::fromStdString(value).indexOf('.');
    const int decimals = point < 0 ? 0 : static_cast<int>(value.size() - static_cast<std::size_t>(point) - 1);
    AmbientCondition condition{name, {number, std::min(decimals, 9)}, UnitOf(unit).value_or(ReportUnit{unit, {}})};
    for (const AmbientCondition& known : content.conditions) {
        if (known.name == condition.name && known.value.value == number) return;
    }
    content.conditions.push_back(condition);
}

void AddConditions(CertificateContent& content, const std::vector<JournalEntry>& entries) {
    for (const JournalEntry& entry : entries) {
        if (!entry.ambientC.empty()) AddCondition(content, "ambient temperature", entry.ambientC, "°C");
        if (!entry.humidityPct.empty())
            AddCondition(content, "ambient relative humidity", entry.humidityPct, "%RH");
    }
}

void AddAdministration(CertificateContent& content, const CertificateHeader& header, WorkPlace place,
                       const JournalEntry& first) {
    content.language = services::ReadInterfaceLanguage();
    content.softwareName = "Trimbench";
    content.softwareVersion = TRIMBENCH_VERSION;
    content.lab = {header.lab, header.labAddress, {}};
    content.place = place;
    content.customer = {header.customer, header.customerAddress, {}};
    if (place == WorkPlace::CustomerSite) content.siteAddress = header.customerAddress;
    content.method = header.method;
    content.itemManufacturer = kMaker;
    content.itemModel = first.model;
    content.itemSerial = IdentityText(first);
    content.itemCondition =
        header.itemCondition.empty() ? services::LoadResString(kStrAsReceived) : header.itemCondition;
    content.authoriser = {header.approver, header.approverRole};
    content.replaces = header.replaces;
}

}  // namespace

std::optional<CertificateContent> CertificateContentOf(const std::vector<JournalEntry>& entries,
                                                       const CertificateHeader& header,
                                                       const std::string& number, JournalError& error) {
    if (entries.empty()) {
        error = {kMsgNoAdjustmentSelected};
        return std::nullopt;
    }
    const auto place = PlaceOf(header.place, error);
    if (!place) return std::nullopt;
    if ((error = MissingItem(header, *place))) return std::nullopt;
    const auto rules = RulesOf(header, error);
    if (!rules) return std::nullopt;
    CertificateContent content;
    content.number = number;
    AddAdministration(content, header, *place, entries.front());
    AddDates(content, entries, header);
    if (!ReceiptDateFits(content)) {
        error = {kMsgCertificateBadReceipt, {content.receiptDate}};
        return std::nullopt;
    }
    AddReferences(content, entries);
    AddConditions(content, entries);
    auto results = ResultsOf(entries, *rules, error);
    if (!results) return std::nullopt;
    content.channels = std::move(*results);
    return content;
}

}  // namespace tb::journal
