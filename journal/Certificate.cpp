#include "journal/Certificate.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include "journal/JournalText.h"
#include "services/FormatText.h"
#include "services/PageServices.h"

namespace tb::journal {
namespace {

enum Label {
    kTitle = 3050,
    kLab = 3051,
    kDate = 3052,
    kChannel = 3053,
    kLimits = 3054,
    kVerdict = 3055,
    kPassed = 3056,
    kFailed = 3057,
    kCalibratedBy = 3058,
    kApprovedBy = 3059,
    kLimitsFormat = 3060,
    kRecordNumber = 3061,
    kAsFound = 3062,
    kAsLeft = 3063,
    kPoints = 3064,
    kOperator = 3021,
    kOperation = 3022,
    kModel = 3011,
    kSerial = 3010,
    kUnit = 3023,
};

// Latin text in a TrueType face, Japanese in the CJK face; both are embedded.
constexpr const char* kLatinFamily = "DejaVu Sans";
constexpr const char* kJapaneseFamily = "Noto Sans CJK JP";
constexpr int kResolution = 300;

QString Label(int id) {
    return QString::fromStdString(services::LoadResString(id)).toHtmlEscaped();
}
QString Html(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }
// A correction stays on one line.
QString Unbroken(const std::string& text) { return Html(text).replace(' ', "&nbsp;"); }

QString LimitsText(const pages::ChannelRecord& channel) {
    if (!channel.limits) return QStringLiteral("-");
    const double offset = channel.enteredPoints.size() > 2 ? channel.limits->twoPointOffsetLimit
                                                           : channel.limits->onePointOffsetLimit;
    return Html(services::FormatText(services::LoadResString(kLimitsFormat),
                                     {channel.limits->minSlope, channel.limits->maxSlope, offset}));
}

QString PointsHtml(const std::vector<std::string>& points) {
    QStringList pairs;
    for (std::size_t i = 0; i + 1 < points.size(); i += 2) {
        pairs << Html(points[i]) + QStringLiteral(" → ") + Html(points[i + 1]);
    }
    return pairs.isEmpty() ? QStringLiteral("-") : pairs.join(QStringLiteral("<br>"));
}

QString HeaderRow(int label, const QString& value) {
    return QStringLiteral("<tr><th align=left>%1</th><td>%2</td></tr>").arg(Label(label), value);
}

// One row per figure, one column per channel: wide enough for any correction.
QString EntryTable(const JournalEntry& entry) {
    QString html = QStringLiteral("<p><b>%1 %2</b> &nbsp; %3 &nbsp; %4</p>")
                       .arg(Label(kRecordNumber), QString::number(entry.id),
                            Html(LocalTimeText(entry)), Html(OperationText(entry.operation)));
    const std::vector<pages::ChannelRecord> channels = ParseChannels(entry.channels);
    auto row = [&](int label, auto cell) {
        QString line = QStringLiteral("<tr><th align=left width=24%>%1</th>").arg(Label(label));
        for (const pages::ChannelRecord& channel : channels) {
            line += QStringLiteral("<td>%1</td>").arg(cell(channel));
        }
        return line + QStringLiteral("</tr>");
    };
    html += QStringLiteral("<table border=1 cellspacing=0 cellpadding=4 width=100%>");
    html += row(kChannel, [](const pages::ChannelRecord& c) { return Html(c.name); });
    html += row(kAsFound,
                [](const pages::ChannelRecord& c) { return Unbroken(CorrectionText(c.asFound)); });
    html += row(kPoints, [](const pages::ChannelRecord& c) { return PointsHtml(c.enteredPoints); });
    html += row(kAsLeft,
                [](const pages::ChannelRecord& c) { return Unbroken(CorrectionText(c.asLeft)); });
    html += row(kLimits, [](const pages::ChannelRecord& c) { return LimitsText(c); });
    html += row(kVerdict, [&](const pages::ChannelRecord& c) {
        return QStringLiteral("<b>%1</b>").arg(Label(ChannelPassed(entry, c) ? kPassed : kFailed));
    });
    return html + QStringLiteral("</table>");
}

}  // namespace

bool ChannelPassed(const JournalEntry& entry, const pages::ChannelRecord& channel) {
    if (entry.outcome != kOutcomeSuccess || !channel.asLeft) return false;
    return !channel.composed || *channel.composed == *channel.asLeft;
}

std::string CertificateHtml(const std::vector<JournalEntry>& entries,
                            const CertificateHeader& header) {
    if (entries.empty()) return {};
    const JournalEntry& first = entries.front();
    const std::string operatorName =
        header.operatorName.empty() ? first.operatorName : header.operatorName;
    QString html = QStringLiteral("<html><body><h1 align=center>%1</h1>").arg(Label(kTitle));
    html += QStringLiteral("<table cellpadding=3>");
    html += HeaderRow(kLab, Html(header.lab));
    html += HeaderRow(kOperator, Html(operatorName));
    html += HeaderRow(kModel, Html(first.model));
    html += HeaderRow(kSerial, Html(IdentityText(first)));
    if (!first.unitSerial.empty() && !first.loggerSerial.empty()) {
        html += HeaderRow(kUnit, Html(first.unitSerial));
    }
    html += HeaderRow(kDate, Html(LocalDateText(first)));
    html += QStringLiteral("</table><br>");
    for (const JournalEntry& entry : entries) html += EntryTable(entry);
    html += QStringLiteral(
                "<br><br><table width=100% cellpadding=8><tr>"
                "<td width=50%>%1: ______________________</td>"
                "<td width=50%>%2: ______________________</td></tr></table>")
                .arg(Label(kCalibratedBy), Label(kApprovedBy));
    html += QStringLiteral("</body></html>");
    return html.toStdString();
}

bool WriteCertificate(const std::vector<JournalEntry>& entries, const CertificateHeader& header,
                      const std::string& path, std::string& error) {
    if (entries.empty()) {
        error = "no adjustment selected";
        return false;
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString().toStdString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
        writer.setResolution(kResolution);
        writer.setTitle(QString::fromStdString(services::LoadResString(kTitle) + " " +
                                               IdentityText(entries.front())));
        writer.setCreator(QStringLiteral("Trimbench2"));
        QTextDocument document;
        QFont font;
        font.setFamilies({QString::fromLatin1(kLatinFamily), QString::fromLatin1(kJapaneseFamily)});
        font.setPointSizeF(9.0);
        document.setDefaultFont(font);
        document.setHtml(QString::fromStdString(CertificateHtml(entries, header)));
        document.print(&writer);
    }
    if (!file.commit()) {
        error = file.errorString().toStdString();
        return false;
    }
    return true;
}

}  // namespace tb::journal
