// The calibration certificate: an A4 PDF of one adjustment or of all
// adjustments of one logger on one day, made with Qt's PDF writer. It
// carries its number (CertificateSeal.h), names the lab (name, address),
// the customer and the operator, the logger's model and serial, the date,
// the reference instruments the rows were made with (certificate numbers,
// due dates) and the ambient conditions, and per channel the as-found
// correction, the reference points entered, the as-left correction, the
// limits that applied, the lab's stated uncertainty and a pass mark; it
// ends with signature lines and the digest of the journal rows it covers,
// and numbers its pages "n / m". The PDF's metadata holds the seal that
// `trimbench journal verify --certificate` checks. Labels are numbered texts
// (English with the English resource library); the Japanese font is
// embedded. Needs a QGuiApplication. CertificateHtml.cpp makes the content,
// CertificatePdf.cpp the file; CertificateHeader.h is what the settings add.
#pragma once

#include <string>
#include <vector>

#include "journal/CertificateHeader.h"
#include "journal/DriftSeries.h"
#include "journal/JournalEntry.h"
#include "journal/JournalError.h"

namespace tb::journal {

// The certificate as HTML (what the PDF shows); with drift, a picture per
// series ("drift-0", ...) follows the records.
std::string CertificateHtml(const std::vector<JournalEntry>& entries,
                            const CertificateHeader& header,
                            const std::vector<DriftSeries>& drift = {});

// Writes the PDF atomically (whole or not at all), with the drift of the
// logger's last visits when given (CertificateDrift); false with the reason
// (no entries, a file that cannot be written).
bool WriteCertificate(const std::vector<JournalEntry>& entries, const CertificateHeader& header,
                      const std::string& path, JournalError& error,
                      const std::vector<DriftSeries>& drift = {});

// Whether a channel passed: the operation succeeded (the logger read back
// what was written) and its as-left is known.
bool ChannelPassed(const JournalEntry& entry, const pages::ChannelRecord& channel);

}  // namespace tb::journal
