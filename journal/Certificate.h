// The calibration certificate as an A4 PDF, made with Qt's PDF writer: the
// content of CertificateBuilder.h (the lab, customer, item, dates, place,
// method, references and conditions, the results with units and U, the
// statement of conformity with its decision rule, the statements on the
// results and on reproduction, the authoriser), then each adjustment's
// corrections as found and as left with the limits that applied, the drift
// pictures when asked for, signature lines, the digest of the journal rows
// it covers and a marked end. Every page carries the certificate's number
// and "page n of m". The PDF's metadata holds the seal that `trimbench
// journal verify --certificate` checks. Labels are numbered texts (English
// with the English resource library); the Japanese font is embedded.
// Needs a QGuiApplication. CertificateHtml.cpp makes the HTML,
// CertificatePdf.cpp the file.
#pragma once

#include <string>
#include <vector>

#include "journal/CertificateContent.h"
#include "journal/CertificateHeader.h"
#include "journal/CertificateSeal.h"
#include "journal/DriftSeries.h"
#include "journal/JournalEntry.h"
#include "journal/JournalError.h"

namespace tb::journal {

// The certificate as HTML (what the PDF shows); with drift, a picture per
// series ("drift-0", ...) follows the records.
std::string CertificateHtml(const CertificateContent& content, const std::vector<JournalEntry>& entries,
                            const CertificateSeal& seal, const std::vector<DriftSeries>& drift = {});

// Writes the PDF of the content drawn from the entries atomically (whole or
// not at all), with the drift pictures when given; false with the reason.
bool WriteCertificatePdf(const CertificateContent& content, const std::vector<JournalEntry>& entries,
                         const std::string& path, JournalError& error,
                         const std::vector<DriftSeries>& drift = {});

// The entries' certificate under the number their seal gives: refused as
// CertificateContentOf refuses, else written as WriteCertificatePdf writes.
bool WriteCertificate(const std::vector<JournalEntry>& entries, const CertificateHeader& header,
                      const std::string& path, JournalError& error,
                      const std::vector<DriftSeries>& drift = {});

// Whether a channel's correction was confirmed: the operation succeeded
// (the logger read back what was written) and its as-left is known.
bool ChannelPassed(const JournalEntry& entry, const pages::ChannelRecord& channel);

}  // namespace tb::journal
