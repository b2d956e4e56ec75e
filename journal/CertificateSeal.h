// What ties a certificate to the journal: its number and the digest of the
// rows it covers. The number is derived from those rows alone (the newest
// row's id and the start of the digest), so the same rows always give the
// same number and no other rows can give it. The PDF carries the seal in
// its metadata; `trimbench journal verify --certificate FILE.pdf` reads it
// back and checks it against the journal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "journal/JournalEntry.h"
#include "journal/JournalError.h"
#include "journal/JournalStore.h"

namespace tb::journal {

// More rows than any one logger's certificate covers; a seal naming more is refused.
inline constexpr std::size_t kMaxSealRows = 10000;

struct CertificateSeal {
    std::string number;           // "TB-000123-1A2B3C4D"
    std::vector<int64_t> rowIds;  // in the certificate's order
    std::string digest;           // SHA-256 hex over each row's id and chain value

    friend bool operator==(const CertificateSeal&, const CertificateSeal&) = default;
};

// The seal of the rows a certificate shows (in that order).
CertificateSeal SealOf(const std::vector<JournalEntry>& entries);

// A corrected certificate is issued under its rows' number with a revision
// ("TB-000123-1A2B3C4D-R1"); RowsNumber gives the rows' number of either.
inline constexpr int kMaxRevision = 99;
std::string RevisedNumber(const std::string& rowsNumber, int revision);
std::string RowsNumber(const std::string& number);

// The seal as the text put into the PDF's metadata, and found again in a
// file's bytes (the first seal in them; nothing when none is whole).
std::string SealText(const CertificateSeal& seal);
std::optional<CertificateSeal> FindSeal(std::string_view bytes);

struct SealCheck {
    bool matches = false;
    std::string number;   // the certificate's number (as named, when no seal was found)
    JournalError reason;  // why not, when it does not
    std::size_t rows = 0;
};

// The journal's chain is intact, every row the seal names is there, and
// together they give the seal's digest and number (a revised number also
// registered with that digest).
SealCheck CheckSeal(JournalStore& store, const CertificateSeal& seal);

}  // namespace tb::journal
