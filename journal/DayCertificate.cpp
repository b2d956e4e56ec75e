#include "journal/DayCertificate.h"

#include "journal/Certificate.h"
#include "journal/CertificateDay.h"
#include "journal/DriftSeries.h"

namespace tb::journal {

CertificateOutcome WriteCertificateOf(JournalStore& store, const CertificateRequest& request) {
    CertificateOutcome outcome;
    auto unreadable = [&](std::string reason) {
        outcome.result = CertificateResult::Unreadable;
        outcome.error = GivenReason(std::move(reason));
        return outcome;
    };
    std::string error;
    const auto entries = CertificateRows(store, request.selected, request.wholeDay, error);
    if (!entries) return unreadable(error);
    std::vector<DriftSeries> drift;
    if (request.withDrift) {
        auto series = CertificateDrift(store, *entries, error);
        if (!series) return unreadable(error);
        drift = std::move(*series);
    }
    if (!WriteCertificate(*entries, request.header, request.path, outcome.error, drift)) {
        outcome.result = CertificateResult::NotWritten;
        return outcome;
    }
    outcome.records = entries->size();
    return outcome;
}

}  // namespace tb::journal
