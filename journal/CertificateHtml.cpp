// The certificate's content as HTML: the header table, a table per
// adjustment, the drift pictures' places, signature lines and the rows it
// covers. CertificatePdf.cpp lays it out on pages.
#include <QString>
#include <QStringList>
#include <set>

#include "journal/Certificate.h"
#include "journal/CertificateResultsHtml.h"
#include "journal/CertificateDriftSection.h"
#include "journal/CertificateSeal.h"
#include "journal/JournalText.h"
#include "journal/WorkConditions.h"
#include "resources/StringIds.h"
#include "services/FormatText.h"
#include "services/PageServices.h"

namespace tb::journal {

using namespace resources::strings;
namespace {

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
    return Html(services::FormatText(services::LoadResString(kFmtLimits),
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

// "23.5 °C, 45 %RH"; empty when the row has no conditions.
std::string ConditionsText(const JournalEntry& entry) {
    std::string text;
    if (!entry.ambientC.empty()) text = entry.ambientC + " °C";
    if (!entry.humidityPct.empty()) text += (text.empty() ? "" : ", ") + entry.humidityPct + " %RH";
    return text;
}

// Every reference the rows name, once, in the order first met.
QString ReferencesHtml(const std::vector<JournalEntry>& entries) {
    QStringList lines;
    std::set<std::string> seen;
    for (const JournalEntry& entry : entries) {
        for (const ReferenceUse& use : ParseReferences(entry.references)) {
            if (!seen.insert(use.id + "\n" + use.certificate).second) continue;
            QString line = Html(services::FormatText(services::LoadResString(kFmtReference),
                                                     {use.id, use.certificate, use.dueOn}));
            if (!use.description.empty()) line += QStringLiteral(" — ") + Html(use.description);
            if (use.expired) line += QStringLiteral(" <b>[%1]</b>").arg(Label(kStrExpired));
            lines << line;
        }
    }
    return lines.isEmpty() ? Label(kStrNoneRecorded) : lines.join(QStringLiteral("<br>"));
}

QString AmbientsHtml(const std::vector<JournalEntry>& entries) {
    QStringList values;
    for (const JournalEntry& entry : entries) {
        const QString text = Html(ConditionsText(entry));
        if (!text.isEmpty() && !values.contains(text)) values << text;
    }
    return values.isEmpty() ? Label(kStrNoneRecorded) : values.join(QStringLiteral(" / "));
}

// One row per figure, one column per channel: wide enough for any correction.
QString EntryTable(const JournalEntry& entry) {
    QString html = QStringLiteral("<p><b>%1 %2</b> &nbsp; %3 &nbsp; %4</p>")
                       .arg(Label(kStrRecordNumber), QString::number(entry.id),
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
    html += row(kStrChannelHeading, [](const pages::ChannelRecord& c) { return Html(c.name); });
    html += row(kStrCorrectionAsFound,
                [](const pages::ChannelRecord& c) { return Unbroken(CorrectionText(c.asFound)); });
    html += row(kStrReferencePoints, [](const pages::ChannelRecord& c) { return PointsHtml(c.enteredPoints); });
    html += row(kStrCorrectionAsLeft,
                [](const pages::ChannelRecord& c) { return Unbroken(CorrectionText(c.asLeft)); });
    html += row(kStrLimits, [](const pages::ChannelRecord& c) { return LimitsText(c); });
    html += row(kStrReadBack, [&](const pages::ChannelRecord& c) {
        return Label(ChannelPassed(entry, c) ? kStrConfirmed : kStrNotConfirmed);
    });
    return html + QStringLiteral("</table>");
}

QString DatesText(const CertificateContent& content) {
    if (content.firstCalibrationDate == content.lastCalibrationDate) return Html(content.firstCalibrationDate);
    return Html(content.firstCalibrationDate + " – " + content.lastCalibrationDate);
}

QString PartyHtml(const Party& party) {
    QString html = Html(party.name);
    if (!party.address.empty()) html += QStringLiteral("<br>") + Html(party.address).replace('\n', "<br>");
    return html;
}

QString PlaceText(const CertificateContent& content) {
    if (content.place == WorkPlace::Laboratory) return Label(kStrAtLaboratory);
    return Html(services::FormatText(services::LoadResString(kFmtOnSite), {content.siteAddress}));
}

QString ItemHtml(const CertificateContent& content, const JournalEntry& first) {
    QString html = Label(kStrDataLogger) + QStringLiteral(" ") + Html(content.itemModel) +
                   QStringLiteral(", ") + Label(kStrSerialNumber) + QStringLiteral(" ") +
                   Html(content.itemSerial) + QStringLiteral(" (") + Html(content.itemManufacturer) +
                   QStringLiteral(")");
    if (!first.unitSerial.empty() && !first.loggerSerial.empty()) {
        html += QStringLiteral("<br>%1 %2").arg(Label(kStrBaseUnit), Html(first.unitSerial));
    }
    return html;
}

QString HeaderTable(const CertificateContent& content, const std::vector<JournalEntry>& entries,
                    const std::string& operatorName) {
    const JournalEntry& first = entries.front();
    QString html = QStringLiteral("<table cellpadding=3>");
    html += HeaderRow(kStrCertificateNumber, QStringLiteral("<b>%1</b>").arg(Html(content.number)));
    if (!content.replaces.empty()) html += HeaderRow(kStrReplaces, Html(content.replaces));
    html += HeaderRow(kStrLaboratory, PartyHtml(content.lab));
    html += HeaderRow(kStrCustomer, PartyHtml(content.customer));
    html += HeaderRow(kStrItem, ItemHtml(content, first));
    html += HeaderRow(kStrItemCondition, Html(content.itemCondition));
    if (!content.receiptDate.empty()) html += HeaderRow(kStrReceiptDate, Html(content.receiptDate));
    html += HeaderRow(kStrCalibrationDates, DatesText(content));
    html += HeaderRow(kStrIssueDate, Html(content.issueDate));
    html += HeaderRow(kStrPlaceOfWork, PlaceText(content));
    html += HeaderRow(kStrMethod, Html(content.method));
    html += HeaderRow(kStrOperator, Html(operatorName));
    html += HeaderRow(kStrReferences, ReferencesHtml(entries));
    html += HeaderRow(kStrAmbient, AmbientsHtml(entries));
    return html + QStringLiteral("</table><br>");
}

QString SignaturesHtml(const CertificateContent& content, const std::string& operatorName) {
    return QStringLiteral(
               "<br><table width=100% cellpadding=8><tr>"
               "<td width=50%>%1: %2<br><br>______________________</td>"
               "<td width=50%>%3: %4, %5<br><br>______________________</td></tr></table>")
        .arg(Label(kStrCalibratedBy), Html(operatorName), Label(kStrApprovedBy), Html(content.authoriser.name),
             Html(content.authoriser.role));
}

}  // namespace

// A send succeeds only once the logger read back the codes written; its
// as-left is those codes decoded, which differ from the composed value by
// the codes' resolution. That is no failure.
bool ChannelPassed(const JournalEntry& entry, const pages::ChannelRecord& channel) {
    return entry.outcome == kOutcomeSuccess && channel.asLeft.has_value();
}

std::string CertificateHtml(const CertificateContent& content, const std::vector<JournalEntry>& entries,
                            const CertificateSeal& seal, const std::vector<DriftSeries>& drift) {
    if (entries.empty()) return {};
    const std::string operatorName = entries.front().operatorName;
    QString html = QStringLiteral("<html><body><h1 align=center>%1</h1>").arg(Label(kStrCertificateTitle));
    html += HeaderTable(content, entries, operatorName);
    html += ResultsHtml(content);
    html += QStringLiteral("<h3>%1</h3>").arg(Label(kStrAdjustmentsMade));
    for (const JournalEntry& entry : entries) html += EntryTable(entry);
    html += DriftSectionHtml(drift);
    html += QStringLiteral("<p>%1<br>%2</p>").arg(Label(kStrOnlyItemStatement), Label(kStrReproductionStatement));
    html += SignaturesHtml(content, operatorName);
    QStringList ids;
    for (int64_t id : seal.rowIds) ids << QString::number(id);
    html += QStringLiteral("<p style='font-size:7pt'>%1: %2<br>%3: %4</p>")
                .arg(Label(kStrRowsCovered), ids.join(QStringLiteral(", ")), Label(kStrChainDigest),
                     Html(seal.digest).toUpper());
    html += QStringLiteral("<p align=center><b>%1</b></p></body></html>").arg(Label(kStrEndOfCertificate));
    return html.toStdString();
}

}  // namespace tb::journal
