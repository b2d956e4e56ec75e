// What a certificate states, put together once for the PDF and the DCC:
// the header's administrative data checked for completeness, the rows'
// dates, item, references and ambient conditions, and the results. A
// certificate that would lack an item a lab's certificate must carry is
// refused with the missing item named, and nothing is issued.
#pragma once

#include <optional>
#include <vector>

#include "journal/CertificateContent.h"
#include "journal/CertificateHeader.h"
#include "journal/JournalEntry.h"
#include "journal/JournalError.h"

namespace tb::journal {

// The rows' certificate under `number`, or the first thing it lacks.
std::optional<CertificateContent> CertificateContentOf(const std::vector<JournalEntry>& entries,
                                                       const CertificateHeader& header,
                                                       const std::string& number, JournalError& error);

}  // namespace tb::journal
