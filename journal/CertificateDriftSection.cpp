#include "journal/CertificateDriftSection.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <cmath>

#include "resources/StringIds.h"
#include "services/PageServices.h"

namespace tb::journal {

using namespace resources::strings;

namespace {

const QString kPicturePrefix = QStringLiteral("drift-");

QString Label(int id) {
    return QString::fromStdString(services::LoadResString(id)).toHtmlEscaped();
}

bool HoldsDriftPicture(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (format.isImageFormat() && format.toImageFormat().name().startsWith(kPicturePrefix))
            return true;
    }
    return false;
}

// The page a line of the block starts on.
int PageOfLine(const QTextDocument& document, const QTextBlock& block, int line) {
    const double top = document.documentLayout()->blockBoundingRect(block).top() +
                       block.layout()->lineAt(line).y();
    return static_cast<int>(std::floor(top / document.pageSize().height()));
}

}  // namespace

QString DriftPictureName(std::size_t channel) { return kPicturePrefix + QString::number(channel); }

QString DriftSectionHtml(const std::vector<DriftSeries>& drift) {
    QString html;
    for (std::size_t i = 0; i < drift.size(); ++i) {
        html += QStringLiteral("<p><b>%1 — %2</b> (%3 / %4)<br><img src=\"%5\"></p>")
                    .arg(Label(kStrDrift), QString::fromStdString(drift[i].channel).toHtmlEscaped(),
                         Label(kStrCorrectionAsFound), Label(kStrCorrectionAsLeft),
                         DriftPictureName(i));
    }
    return html;
}

// Blocks are handled in order: a page break moves every later block, so
// each is measured after the ones before it are settled.
void KeepDriftHeadingsWithPictures(QTextDocument& document) {
    if (document.pageSize().height() <= 0) return;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!HoldsDriftPicture(block)) continue;
        document.documentLayout()->blockBoundingRect(block);  // lays the block out
        const int lines = block.layout()->lineCount();
        if (lines < 2 || PageOfLine(document, block, 0) == PageOfLine(document, block, lines - 1))
            continue;
        QTextBlockFormat breakBefore;
        breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).mergeBlockFormat(breakBefore);
    }
}

}  // namespace tb::journal
