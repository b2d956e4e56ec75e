// The results part of a certificate's HTML: a table per channel with the
// reference value, the reading and the errors as found and as left with
// their unit and U, then the footnotes on U and the error as left, and the
// statement of conformity with its decision rule.
#pragma once

#include <QString>

#include "journal/CertificateContent.h"

namespace tb::journal {

QString ResultsHtml(const CertificateContent& content);

}  // namespace tb::journal
