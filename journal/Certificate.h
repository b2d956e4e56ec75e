// The calibration certificate: a one- or two-page A4 PDF of one adjustment
// or of all adjustments of one logger on one day, made with Qt's PDF
// writer. It names the lab and the operator, the logger's model and
// serial, the date, and per channel the as-found correction, the reference
// points entered, the as-left correction, the limits that applied and a
// pass mark, and ends with signature lines. Labels are numbered texts
// (English with the English resource library); the Japanese font is
// embedded. Needs a QGuiApplication.
#pragma once

#include <string>
#include <vector>

#include "journal/JournalEntry.h"

namespace tb::journal {

struct CertificateHeader {
    std::string lab;
    std::string operatorName;  // empty: the operator of the first entry
};

// The certificate as HTML (what the PDF shows).
std::string CertificateHtml(const std::vector<JournalEntry>& entries,
                            const CertificateHeader& header);

// Writes the PDF; false with the reason (no entries, a file that cannot be written).
bool WriteCertificate(const std::vector<JournalEntry>& entries, const CertificateHeader& header,
                      const std::string& path, std::string& error);

// Whether a channel passed: the operation succeeded and the logger was left
// with what was meant to be written.
bool ChannelPassed(const JournalEntry& entry, const pages::ChannelRecord& channel);

}  // namespace tb::journal
