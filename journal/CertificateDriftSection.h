// The certificate's drift section: per channel a heading and its picture
// (the image resource DriftPictureName(n) the PDF writer draws), as HTML,
// and kept together on one page once the document is laid out on pages.
#pragma once

#include <QString>
#include <cstddef>
#include <vector>

#include "journal/DriftSeries.h"

class QTextDocument;

namespace tb::journal {

// The image resource name of the n-th channel's drift picture.
QString DriftPictureName(std::size_t channel);

QString DriftSectionHtml(const std::vector<DriftSeries>& drift);

// A heading whose picture did not fit under it on its page starts the next
// page with it. Call after the document's page size is set.
void KeepDriftHeadingsWithPictures(QTextDocument& document);

}  // namespace tb::journal
