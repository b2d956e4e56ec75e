#include "journal/DayCertificate.h"

#include <QFile>

#include "journal/Certificate.h"
#include "journal/CertificateBuilder.h"
#include "journal/CertificateDay.h"
#include "journal/CertificateIssue.h"
#include "journal/DccWriter.h"
#include "journal/DriftSeries.h"
#include "journal/ReportUnits.h"
#include "resources/StringIds.h"

namespace tb::journal {
namespace {

// The DCC first: when the PDF then fails, the DCC just written goes again,
// so that no certificate is left half issued.
bool WriteFiles(const CertificateContent& content, const std::vector<JournalEntry>& entries,
                const CertificateRequest& request, const std::vector<DriftSeries>& drift,
                JournalError& error) {
    if (!request.dccPath.empty() && WriteDcc(InSiUnits(content), request.dccPath) != DccWriteResult::Written) {
        error = {resources::strings::kMsgDccNotWritten, {request.dccPath}};
        return false;
    }
    if (request.path.empty() || WriteCertificatePdf(content, entries, request.path, error, drift)) return true;
    if (!request.dccPath.empty()) QFile::remove(QString::fromStdString(request.dccPath));
    return false;
}

// A correction refused for what it names, not for the journal.
bool RefusesReplacement(const JournalError& error) {
    using namespace resources::strings;
    for (int refusal : {kMsgCertificateReplacesUnknown, kMsgCertificateReplacesOther,
                        kMsgCertificateAlreadyReplaced, kMsgCertificateNumberTaken}) {
        if (error.text == refusal) return true;
    }
    return false;
}

}  // namespace

CertificateOutcome WriteCertificateOf(JournalStore& store, const CertificateRequest& request) {
    CertificateOutcome outcome;
    auto failed = [&](CertificateResult result) {
        outcome.result = result;
        return outcome;
    };
    const auto entries = CertificateRows(store, request.selected, request.wholeDay, outcome.error);
    if (!entries) return failed(CertificateResult::Unreadable);
    const auto number = IssueNumber(store, *entries, request.header.replaces, outcome.error);
    if (!number) return failed(RefusesReplacement(outcome.error) ? CertificateResult::Incomplete
                                                                 : CertificateResult::Unreadable);
    const auto content = CertificateContentOf(*entries, request.header, *number, outcome.error);
    if (!content) return failed(CertificateResult::Incomplete);
    std::vector<DriftSeries> drift;
    if (request.withDrift) {
        auto series = CertificateDrift(store, *entries, outcome.error);
        if (!series) return failed(CertificateResult::Unreadable);
        drift = std::move(*series);
    }
    // Registered before the files are written: a number is never handed out
    // twice, and the same rows written again are the same certificate.
    if (!RegisterIssue(store, *entries, *number, request.header.replaces, outcome.error))
        return failed(CertificateResult::Unreadable);
    if (!WriteFiles(*content, *entries, request, drift, outcome.error)) return failed(CertificateResult::NotWritten);
    outcome.records = entries->size();
    outcome.number = *number;
    return outcome;
}

}  // namespace tb::journal
