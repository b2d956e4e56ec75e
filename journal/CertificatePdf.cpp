// The certificate as an A4 PDF: the HTML laid out on numbered pages with
// the embedded fonts, the drift pictures, and the seal in the metadata.
#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextFormat>
#include <QTextObjectInterface>
#include <QUrl>

#include "journal/Certificate.h"
#include "journal/CertificateBuilder.h"
#include "journal/CertificateDriftSection.h"
#include "journal/CertificateSeal.h"
#include "journal/DriftPicture.h"
#include "journal/JournalText.h"
#include "resources/StringIds.h"
#include "services/FormatText.h"
#include "services/PageServices.h"

namespace tb::journal {

using namespace resources::strings;
namespace {

// Latin text in a TrueType face, Japanese in a CJK face; both are embedded.
// The PDF writer names each glyph by the lowest code point the face maps to
// it: a face that also maps the Kangxi radicals (U+2F00...) to the glyphs of
// 日 and 入 makes those read as ⽇ and ⼊ to a PDF reader's search. Takao
// Gothic has no radicals; the Noto face stands in where it is missing.
constexpr const char* kLatinFamily = "DejaVu Sans";
constexpr const char* kJapaneseFamily = "TakaoPGothic";
constexpr const char* kJapaneseFallback = "Noto Sans CJK JP";
constexpr int kResolution = 300;
// The drift picture in the writer's pixels: about 150 x 75 mm at 300 dpi.
constexpr int kDriftWidth = 1770;
constexpr int kDriftHeight = 885;

// The document lays an image out at its size times the writer's dots per
// inch over the screen's, which differ from machine to machine: a picture
// of the page's width would run off the page. The factor, measured on the
// document with the named image in it, becomes the picture's pixel ratio,
// so that it prints at its size in the writer's pixels.
double LayoutScale(QTextDocument& document, const QUrl& image) {
    QTextImageFormat probe;
    probe.setName(image.toString());
    probe.setWidth(100);
    probe.setHeight(100);
    auto* handler = document.documentLayout()->handlerForObject(QTextFormat::ImageObject);
    const double scale = handler ? handler->intrinsicSize(&document, 0, probe).width() / 100.0 : 1.0;
    return scale > 0 ? scale : 1.0;
}

// The drift picture's texts in the interface's language.
DriftCaptions DriftCaptionTexts() {
    using services::LoadResString;
    return {LoadResString(kStrSlope), LoadResString(kStrOffset), LoadResString(kStrDriftAsFound),
            LoadResString(kStrDriftAsLeft), LoadResString(kStrLimits)};
}

// Lays the document out on the writer's pages and draws each with the
// certificate's number and "page n of m" under it.
void PrintNumbered(QTextDocument& document, QPdfWriter& writer, const std::string& certificate) {
    QPainter painter(&writer);
    document.documentLayout()->setPaintDevice(&writer);
    const QRectF area = writer.pageLayout().paintRectPixels(writer.resolution());
    const QFontMetricsF metrics(document.defaultFont(), &writer);
    const qreal footer = metrics.height() * 2.5;
    document.setPageSize(QSizeF(area.width(), area.height() - footer));
    KeepDriftHeadingsWithPictures(document);
    const int pages = document.pageCount();
    const qreal height = area.height() - footer;
    painter.setFont(document.defaultFont());
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.save();
        painter.translate(0, -page * height);
        document.drawContents(&painter, QRectF(0, page * height, area.width(), height));
        painter.restore();
        const QString number = QString::fromStdString(
            services::FormatText(services::LoadResString(kFmtCertificatePage), {certificate, page + 1, pages}));
        painter.drawText(QRectF(0, area.height() - footer, area.width(), footer),
                         Qt::AlignHCenter | Qt::AlignBottom, number);
    }
}

// The XMP packet: the title, and the seal the verify command reads back.
QByteArray SealMetadata(const QString& title, const CertificateSeal& seal) {
    return QStringLiteral(
               "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>"
               "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
               "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
               "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/' "
               "xmlns:tb='https://trimbench.kestrune.example/ns/certificate/1.0/'>"
               "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>%1</rdf:li></rdf:Alt></dc:title>"
               "<tb:seal>%2</tb:seal>"
               "</rdf:Description></rdf:RDF></x:xmpmeta><?xpacket end='w'?>")
        .arg(title.toHtmlEscaped(), QString::fromStdString(SealText(seal)))
        .toUtf8();
}

}  // namespace

bool WriteCertificatePdf(const CertificateContent& content, const std::vector<JournalEntry>& entries,
                         const std::string& path, JournalError& error,
                         const std::vector<DriftSeries>& drift) {
    if (entries.empty()) {
        error = {kMsgNoAdjustmentSelected};
        return false;
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = GivenReason(file.errorString().toStdString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
        writer.setResolution(kResolution);
        const QString title = QString::fromStdString(services::LoadResString(kStrCertificateTitle) + " " +
                                                     IdentityText(entries.front()));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Trimbench2"));
        CertificateSeal seal = SealOf(entries);
        seal.number = content.number;
        writer.setDocumentXmpMetadata(SealMetadata(title, seal));
        QTextDocument document;
        QFont font;
        font.setFamilies({QString::fromLatin1(kLatinFamily), QString::fromLatin1(kJapaneseFamily),
                          QString::fromLatin1(kJapaneseFallback)});
        font.setPointSizeF(9.0);
        // Any letter spacing turns the shaper's ligatures off: "ff" in a
        // digest or a name stays two letters a reader's search finds.
        font.setLetterSpacing(QFont::AbsoluteSpacing, 0.01);
        document.setDefaultFont(font);
        document.documentLayout()->setPaintDevice(&writer);
        for (std::size_t i = 0; i < drift.size(); ++i) {
            const QUrl name(DriftPictureName(i));
            QImage picture = DriftPicture(drift[i], kDriftWidth, kDriftHeight,
                                          kCertificateVisits, DriftCaptionTexts());
            document.addResource(QTextDocument::ImageResource, name, picture);
            picture.setDevicePixelRatio(LayoutScale(document, name));
            document.addResource(QTextDocument::ImageResource, name, picture);
        }
        document.setHtml(QString::fromStdString(CertificateHtml(content, entries, seal, drift)));
        PrintNumbered(document, writer, content.number);
    }
    if (!file.commit()) {
        error = GivenReason(file.errorString().toStdString());
        return false;
    }
    return true;
}

bool WriteCertificate(const std::vector<JournalEntry>& entries, const CertificateHeader& header,
                      const std::string& path, JournalError& error,
                      const std::vector<DriftSeries>& drift) {
    if (entries.empty()) {
        error = {kMsgNoAdjustmentSelected};
        return false;
    }
    const auto content = CertificateContentOf(entries, header, SealOf(entries).number, error);
    return content && WriteCertificatePdf(*content, entries, path, error, drift);
}

}  // namespace tb::journal
