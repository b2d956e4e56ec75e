#include "journal/CertificateHeader.h"

#include <QString>
#include <QStringList>

#include "journal/JournalLocation.h"
#include "services/Settings.h"

namespace tb::journal {

CertificateHeader ConfiguredHeader() {
    CertificateHeader header;
    header.lab = LabName();
    header.labAddress = services::ReadSettingText("Journal/LabAddress");
    header.customer = services::ReadSettingText("Journal/Customer");
    header.uncertainty = services::ReadSettingText("Journal/Uncertainty");
    return header;
}

std::string UncertaintyFor(const std::string& stated, const std::string& channel) {
    std::string fallback;
    for (const QString& part : QString::fromStdString(stated).split(';', Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf('=');
        if (equals <= 0) continue;
        const std::string name = part.left(equals).trimmed().toStdString();
        const std::string value = part.mid(equals + 1).trimmed().toStdString();
        if (name == channel) return value;
        if (name == "*") fallback = value;
    }
    return fallback;
}

}  // namespace tb::journal
