// Checking a certificate against the journal, once for every front end:
// the seal a PDF file carries, or the one the journal gives for a
// certificate's number, checked with CheckSeal. `trimbench journal verify
// --certificate` ends here.
#pragma once

#include <string>

#include "journal/CertificateSeal.h"
#include "journal/JournalStore.h"

namespace tb::journal {

// Larger than any certificate the program draws: a file is read up to it.
inline constexpr long long kMaxCertificateBytes = 64LL << 20;

// named: a PDF file when one exists at that path, else a certificate's
// number ("TB-000123-1A2B3C4D").
SealCheck CheckCertificate(JournalStore& store, const std::string& named);

}  // namespace tb::journal
