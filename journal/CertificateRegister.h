// The register of issued certificates, kept in the journal's database:
// which rows each certificate covered, the seal's digest, the references
// its rows relied on, and the number a correction replaces. Append-only
// like the journal. A lab asks it which certificates a reference found out
// of tolerance affects, and which corrections a certificate has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "journal/JournalError.h"
#include "journal/JournalStore.h"

namespace tb::journal {

// Bounds of a registered certificate, on the way in and when read back.
inline constexpr std::size_t kMaxCertificateTextLength = 200;
inline constexpr std::size_t kMaxCertificateRows = 100000;
inline constexpr std::size_t kMaxCertificateReferences = 64;

struct IssuedCertificate {
    std::string number;        // "TB-000123-1A2B3C4D" or with "-R1", "-R2" for corrections
    std::string replaces;      // the number it corrects; empty for a first issue
    std::string issuedUtc;     // "2026-12-10T06:00:00.000Z"
    std::string model;
    std::string loggerSerial;  // IdentityText of the rows
    std::vector<int64_t> rowIds;
    std::string digest;        // the seal's digest
    std::vector<std::string> referenceIds;  // the reference instruments the rows relied on

    friend bool operator==(const IssuedCertificate&, const IssuedCertificate&) = default;
};

// A register row's stored list read back: nothing when it is not a JSON
// array within the bounds above (row keys: positive integers; reference
// ids: 1..kMaxReferenceIdLength characters).
std::optional<std::vector<int64_t>> StoredRowIds(const std::string& json);
std::optional<std::vector<std::string>> StoredReferenceIds(const std::string& json);

// Records an issued certificate; refuses (with an id) a number already
// registered, a correction of a number never registered, an empty number
// and fields past the bounds above.
bool RegisterCertificate(JournalStore& store, const IssuedCertificate& issued, JournalError& error);

// The certificate of that number; nothing (and no error) when none was
// issued under it.
std::optional<IssuedCertificate> FindIssued(JournalStore& store, const std::string& number,
                                            JournalError& error);

// Every certificate that relied on the reference, oldest first; nothing
// (with the reason) when the register cannot be read.
std::optional<std::vector<IssuedCertificate>> IssuedRelyingOn(JournalStore& store,
                                                              const std::string& referenceId,
                                                              JournalError& error);

// The certificates that replace `number` (its corrections), oldest first.
std::optional<std::vector<IssuedCertificate>> CorrectionsOf(JournalStore& store,
                                                            const std::string& number,
                                                            JournalError& error);

}  // namespace tb::journal
