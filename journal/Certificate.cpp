#include "journal/Certificate.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include "app/FormatText.h"
#include "app/PageServices.h"
#include "journal/JournalText.h"

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

constexpr const char* kFontFamily = "Noto Sans CJK JP";
constexpr int kResolution = 300;

QString Label(int id) { return QString::fromStdString(app::LoadResString(id)).toHtmlEscaped(); }
QString Html(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

QString LimitsText(const pages::ChannelRecord& channel) {
    if (!channel.limits) return QStringLiteral("-");
    const double offset = channel.enteredPoints.size() > 2 ? channel.limits->twoPointOffsetLimit
                                                           : channel.limits->onePointOffsetLimit;
    return Html(app::FormatText(app::LoadResString(kLimitsFormat),
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

QString EntryTable(const JournalEntry& entry) {
    QString html = QStringLiteral("<p><b>%1 %2</b> &nbsp; %3 &nbsp; %4</p>")
                       .arg(Label(kRecordNumber), QString::number(entry.id),
                            Html(LocalTimeText(entry)), Html(OperationText(entry.operation)));
    html += QStringLiteral(
                "<table border=1 cellspacing=0 cellpadding=4 width=100%><tr>"
                "<th>%1</th><th>%2</th><th>%3</th><th>%4</th><th>%5</th><th>%6</th></tr>")
                .arg(Label(kChannel), Label(kAsFound), Label(kPoints), Label(kAsLeft),
                     Label(kLimits), Label(kVerdict));
    for (const pages::ChannelRecord& channel : ParseChannels(entry.channels)) {
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td>"
                               "<td align=center>%6</td></tr>")
                    .arg(Html(channel.name), Html(CorrectionText(channel.asFound)),
                         PointsHtml(channel.enteredPoints), Html(CorrectionText(channel.asLeft)),
                         LimitsText(channel),
                         Label(ChannelPassed(entry, channel) ? kPassed : kFailed));
    }
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
        writer.setTitle(QString::fromStdString(app::LoadResString(kTitle) + " " +
                                               IdentityText(entries.front())));
        writer.setCreator(QStringLiteral("Trimbench2"));
        QTextDocument document;
        QFont font(QString::fromLatin1(kFontFamily));
        font.setPointSizeF(9.5);
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
