// The machine-readable certificate: a certificate's content as a Digital
// Calibration Certificate (DCC) of schema version 3.1.2, namespaces
// https://ptb.de/dcc and https://ptb.de/si (the schemas are in
// third_party/dcc-3.1.2).
//
// Administrative data: the software, the core data (number, dates, place,
// the number a correction replaces), the item, the lab, the authoriser, the
// customer and the statements (results relate only to the item calibrated;
// no reproduction except in full; one conformity statement per channel with
// its decision rule and limits). Measurement results: one per channel, with
// the method, the references as measuring equipment, the ambient conditions
// as influence conditions, and per point the reference value, the reading
// as found and the errors as found and as left as si:real in D-SI units,
// with si:expandedUnc where the uncertainty was evaluated.
#pragma once

#include <string>

#include "journal/CertificateContent.h"

namespace tb::journal {

// The document as UTF-8 XML.
std::string DccXml(const CertificateContent& content);

// Whether the content has what the schema cannot do without: a number, the
// calibration dates and at least one channel.
bool DccComplete(const CertificateContent& content);

enum class DccWriteResult { Written, Incomplete, CannotWrite };

// Writes the document to path at once or not at all (a file that was there
// stays as it was when the write fails); nothing when it is incomplete.
DccWriteResult WriteDcc(const CertificateContent& content, const std::string& path);

}  // namespace tb::journal
