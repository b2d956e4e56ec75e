// Writing a certificate, once for every front end: the rows it covers (the
// adjustment chosen, or every adjustment of its logger on its day), its
// content checked for completeness, the drift of the logger's last visits
// when asked for, the PDF and, when asked for, the machine-readable DCC,
// each written whole or not at all. The journal window's buttons and
// `trimbench certificate` end here. Needs a QGuiApplication.
#pragma once

#include <cstddef>
#include <string>

#include "journal/CertificateHeader.h"
#include "journal/JournalEntry.h"
#include "journal/JournalError.h"
#include "journal/JournalStore.h"

namespace tb::journal {

struct CertificateRequest {
    JournalEntry selected{};  // the adjustment the certificate is of
    bool wholeDay = false;    // with every adjustment of its logger on its local day
    bool withDrift = false;   // with the drift of the logger's last visits
    CertificateHeader header{};
    std::string path{};     // the PDF; empty: no PDF
    std::string dccPath{};  // the DCC; empty: no DCC
};

enum class CertificateResult {
    Written,
    Unreadable,   // the journal could not be read: nothing was written
    Incomplete,   // the certificate would lack what it must state: nothing was written
    NotWritten,   // a file could not be written: none was
};

struct CertificateOutcome {
    CertificateResult result = CertificateResult::Written;
    std::size_t records = 0;  // the rows the certificate covers
    std::string number{};     // the number it was issued under
    JournalError error{};     // why not, unless written
};

CertificateOutcome WriteCertificateOf(JournalStore& store, const CertificateRequest& request);

}  // namespace tb::journal
