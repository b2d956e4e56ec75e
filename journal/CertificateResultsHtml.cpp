#include "journal/CertificateResultsHtml.h"

#include <QStringList>
#include <algorithm>

#include "journal/ReportRounding.h"
#include "resources/StringIds.h"
#include "services/FormatText.h"
#include "services/PageServices.h"

namespace tb::journal {

using namespace resources::strings;
namespace {

QString Label(int id) { return QString::fromStdString(services::LoadResString(id)).toHtmlEscaped(); }
QString Html(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

// "20.4 °C" on one line.
QString Measured(const ReportValue& value, const ReportUnit& unit) {
    QString text = Html(FormatReportValue(value));
    if (!unit.display.empty()) text += QStringLiteral("&nbsp;") + Html(unit.display);
    return text;
}

// The quantity in the certificate's language.
QString QuantityLabel(const std::string& quantity) {
    static const std::pair<const char*, int> kLabels[] = {
        {"temperature", kStrQuantityTemperature},
        {"relative humidity", kStrQuantityHumidity},
        {"voltage", kStrQuantityVoltage},
        {"electric current", kStrQuantityCurrent},
        {"sound level", kStrQuantitySound},
        {"illuminance", kStrQuantityIlluminance},
        {"ultraviolet irradiance", kStrQuantityUv},
        {"carbon dioxide concentration", kStrQuantityCo2},
    };
    for (const auto& [name, label] : kLabels) {
        if (quantity == name) return Label(label);
    }
    return Label(kStrQuantityOther);
}

QString UncertaintyCell(const ResultPoint& point, const ReportUnit& unit) {
    if (!point.uncertainty) return Label(kStrNotEvaluated);
    return Measured(point.uncertainty->u, unit);
}

QString ChannelTable(const ChannelResult& channel) {
    const QString unit = channel.unit.display.empty() ? Label(kStrUnitNotRecorded) : Html(channel.unit.display);
    QString html = QStringLiteral("<p><b>%1 — %2</b> (%3)</p>")
                       .arg(Html(channel.name), QuantityLabel(channel.quantity), unit);
    html += QStringLiteral("<table border=1 cellspacing=0 cellpadding=4 width=100%><tr>");
    for (int label : {kStrReferenceValue, kStrReadingAsFound, kStrErrorAsFound, kStrErrorAsLeft,
                      kStrExpandedUncertainty}) {
        html += QStringLiteral("<th>%1</th>").arg(Label(label));
    }
    html += QStringLiteral("</tr>");
    for (const ResultPoint& point : channel.points) {
        html += QStringLiteral("<tr><td align=right>%1</td><td align=right>%2</td><td align=right>%3</td>"
                               "<td align=right>%4</td><td align=right>%5</td></tr>")
                    .arg(Measured(point.reference, channel.unit), Measured(point.readingAsFound, channel.unit),
                         Measured(point.errorAsFound, channel.unit),
                         point.errorAsLeft ? Measured(*point.errorAsLeft, channel.unit) : QStringLiteral("-"),
                         UncertaintyCell(point, channel.unit));
    }
    return html + QStringLiteral("</table>");
}

// The coverage note of the first U stated, or that none was evaluated.
QString UncertaintyNote(const CertificateContent& content) {
    for (const ChannelResult& channel : content.channels) {
        for (const ResultPoint& point : channel.points) {
            if (!point.uncertainty) continue;
            const std::string k = QString::number(point.uncertainty->coverageFactor, 'g', 3).toStdString();
            const std::string p = FormatReportValue({point.uncertainty->coverageProbability * 100.0, 0});
            return Html(services::FormatText(services::LoadResString(kFmtCoverage), {k, p}));
        }
    }
    return Label(kStrUncertaintyNotEvaluated);
}

QString VerdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass: return Label(kStrConforms);
        case Verdict::Fail: return Label(kStrDoesNotConform);
        case Verdict::NotStated: break;
    }
    return Label(kStrNoConformity);
}

QString ConformityHtml(const CertificateContent& content) {
    QStringList lines;
    bool guarded = false;
    for (const ChannelResult& channel : content.channels) {
        if (!channel.conformity) continue;
        const ConformityStatement& statement = *channel.conformity;
        guarded = guarded || statement.rule == DecisionRule::GuardBanded;
        lines << Html(services::FormatText(
                     services::LoadResString(kFmtConformity),
                     {channel.name, FormatReportValue(statement.lowerLimit),
                      FormatReportValue(statement.upperLimit), channel.unit.display, statement.covers})) +
                     QStringLiteral(": <b>%1</b>").arg(VerdictText(statement.verdict));
    }
    QString html = QStringLiteral("<p><b>%1</b><br>").arg(Label(kStrConformity));
    if (lines.isEmpty()) return html + Label(kStrNoConformity) + QStringLiteral("</p>");
    html += Label(guarded ? kStrRuleGuardBanded : kStrRuleSimple) + QStringLiteral("<br>");
    return html + lines.join(QStringLiteral("<br>")) + QStringLiteral("</p>");
}

}  // namespace

QString ResultsHtml(const CertificateContent& content) {
    QString html = QStringLiteral("<h3>%1</h3>").arg(Label(kStrResults));
    for (const ChannelResult& channel : content.channels) html += ChannelTable(channel);
    html += QStringLiteral("<p style='font-size:8pt'>%1<br>%2</p>")
                .arg(UncertaintyNote(content), Label(kStrAsLeftFootnote));
    return html + ConformityHtml(content);
}

}  // namespace tb::journal
