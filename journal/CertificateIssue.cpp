#include "journal/CertificateIssue.h"

#include <algorithm>

#include "journal/CertificateRegister.h"
#include "journal/CertificateSeal.h"
#include "journal/JournalText.h"
#include "journal/WorkConditions.h"
#include "resources/StringIds.h"

namespace tb::journal {

using namespace resources::strings;
namespace {

// Whether the replaced certificate may be corrected by a certificate of these rows.
bool MayReplace(JournalStore& store, const std::string& replaces, const JournalEntry& first,
                JournalError& error) {
    const auto replaced = FindIssued(store, replaces, error);
    if (error) return false;
    if (!replaced) {
        error = {kMsgCertificateReplacesUnknown, {replaces}};
        return false;
    }
    if (replaced->loggerSerial != IdentityText(first)) {
        error = {kMsgCertificateReplacesOther, {replaces}};
        return false;
    }
    const auto corrections = CorrectionsOf(store, replaces, error);
    if (!corrections) return false;
    if (!corrections->empty()) {
        error = {kMsgCertificateAlreadyReplaced, {replaces, corrections->back().number}};
        return false;
    }
    return true;
}

std::vector<std::string> ReferenceIds(const std::vector<JournalEntry>& entries) {
    std::vector<std::string> ids;
    for (const JournalEntry& entry : entries) {
        for (const ReferenceUse& use : ParseReferences(entry.references)) {
            if (std::find(ids.begin(), ids.end(), use.id) == ids.end()) ids.push_back(use.id);
        }
    }
    return ids;
}

}  // namespace

std::optional<std::string> IssueNumber(JournalStore& store, const std::vector<JournalEntry>& entries,
                                       const std::string& replaces, JournalError& error) {
    const std::string rowsNumber = SealOf(entries).number;
    if (replaces.empty()) return rowsNumber;
    if (!MayReplace(store, replaces, entries.front(), error)) return std::nullopt;
    for (int revision = 1; revision <= kMaxRevision; ++revision) {
        const std::string number = RevisedNumber(rowsNumber, revision);
        const auto taken = FindIssued(store, number, error);
        if (error) return std::nullopt;
        if (!taken) return number;
    }
    error = {kMsgCertificateNumberTaken, {RevisedNumber(rowsNumber, kMaxRevision)}};
    return std::nullopt;
}

bool RegisterIssue(JournalStore& store, const std::vector<JournalEntry>& entries, const std::string& number,
                   const std::string& replaces, JournalError& error) {
    const CertificateSeal seal = SealOf(entries);
    const auto known = FindIssued(store, number, error);
    if (error) return false;
    if (known) return known->digest == seal.digest || ((error = {kMsgCertificateNumberTaken, {number}}), false);
    IssuedCertificate issued;
    issued.number = number;
    issued.replaces = replaces;
    issued.issuedUtc = CurrentContext().recordedUtc;
    issued.model = entries.front().model;
    issued.loggerSerial = IdentityText(entries.front());
    issued.rowIds = seal.rowIds;
    issued.digest = seal.digest;
    issued.referenceIds = ReferenceIds(entries);
    return RegisterCertificate(store, issued, error);
}

}  // namespace tb::journal
