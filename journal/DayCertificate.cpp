#include "journal/DayCertificate.h"

#include "journal/Certificate.h"
#include "journal/CertificateDay.h"
#include "journal/DriftSeries.h"

namespace tb::journal {

CertificateOutcome WriteCertificateOf(JournalStore& store, const CertificateRequest& request) {
    CertificateOutcome outcome;
    auto unreadable = [&] {
        outcome.result = CertificateResult::Unreadable;
        return outcome;
    };
    const auto entries = CertificateRows(store, request.selected, request.wholeDay, outcome.error);
    if (!entries) return unreadable();
    std::vector<DriftSeries> drift;
    if (request.withDrift) {
        auto series = CertificateDrift(store, *entries, outcome.error);
        if (!series) return unreadable();
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
