#include "journal/DccWriter.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QXmlStreamWriter>

#include "journal/ReportRounding.h"

namespace tb::journal {
namespace {

const QString kDcc = QStringLiteral("https://ptb.de/dcc");
const QString kSi = QStringLiteral("https://ptb.de/si");

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Writes the document element by element, in the schema's order.
class DccDocument {
  public:
    DccDocument(const CertificateContent& content, QByteArray& bytes)
        : c_(content), xml_(&bytes) {}

    void Write() {
        xml_.setAutoFormatting(true);
        xml_.writeStartDocument();
        xml_.writeNamespace(kDcc, QStringLiteral("dcc"));
        xml_.writeNamespace(kSi, QStringLiteral("si"));
        xml_.writeStartElement(kDcc, QStringLiteral("digitalCalibrationCertificate"));
        xml_.writeAttribute(QStringLiteral("schemaVersion"), QStringLiteral("3.1.2"));
        AdministrativeData();
        MeasurementResults();
        xml_.writeEndElement();
        xml_.writeEndDocument();
    }

  private:
    void Start(const char* name) { xml_.writeStartElement(kDcc, QString::fromLatin1(name)); }
    void End() { xml_.writeEndElement(); }
    void Element(const char* name, const std::string& text) {
        xml_.writeTextElement(kDcc, QString::fromLatin1(name), Q(text));
    }
    void SiElement(const char* name, const std::string& text) {
        xml_.writeTextElement(kSi, QString::fromLatin1(name), Q(text));
    }

    // A text in the certificate's language (textType, richContentType).
    void Text(const char* name, const std::string& text) {
        Start(name);
        xml_.writeStartElement(kDcc, QStringLiteral("content"));
        xml_.writeAttribute(QStringLiteral("lang"), Q(c_.language));
        xml_.writeCharacters(Q(text));
        xml_.writeEndElement();
        End();
    }

    void AdministrativeData() {
        Start("administrativeData");
        Start("dccSoftware");
        Start("software");
        Text("name", c_.softwareName);
        Element("release", c_.softwareVersion);
        End();
        End();
        CoreData();
        Items();
        Start("calibrationLaboratory");
        Contact("contact", c_.lab);
        End();
        Start("respPersons");
        Start("respPerson");
        Start("person");
        Text("name", c_.authoriser.name);
        End();
        Element("role", c_.authoriser.role);
        Element("mainSigner", "true");
        End();
        End();
        Contact("customer", c_.customer);
        Statements();
        End();
    }

    void CoreData() {
        Start("coreData");
        Element("countryCodeISO3166_1", c_.countryCode);
        Element("usedLangCodeISO639_1", c_.language);
        Element("mandatoryLangCodeISO639_1", c_.language);
        Element("uniqueIdentifier", c_.number);
        if (!c_.replaces.empty()) {
            Start("identifications");
            Identification("calibrationLaboratory", c_.replaces, "replaces certificate");
            End();
        }
        if (!c_.receiptDate.empty()) Element("receiptDate", c_.receiptDate);
        Element("beginPerformanceDate", c_.firstCalibrationDate);
        Element("endPerformanceDate", c_.lastCalibrationDate);
        Element("performanceLocation",
                c_.place == WorkPlace::Laboratory ? "laboratory" : "customer");
        End();
    }

    void Identification(const char* issuer, const std::string& value, const std::string& name) {
        Start("identification");
        Element("issuer", issuer);
        Element("value", value);
        Text("name", name);
        End();
    }

    void Items() {
        Start("items");
        Start("item");
        Text("name", "data logger " + c_.itemModel);
        Text("description", "condition as found: " + c_.itemCondition);
        Start("manufacturer");
        Text("name", c_.itemManufacturer);
        End();
        Element("model", c_.itemModel);
        Start("identifications");
        Identification("manufacturer", c_.itemSerial, "serial number");
        End();
        End();
        End();
    }

    // A contact: its address as free text (contactType asks for an e-mail
    // element, empty when the settings give none).
    void Contact(const char* element, const Party& party) {
        Start(element);
        Text("name", party.name);
        Element("eMail", party.email);
        Start("location");
        Text("further", party.address);
        End();
        End();
    }

    void Statements() {
        Start("statements");
        Statement("The results relate only to the item calibrated.");
        Statement(
            "This certificate shall not be reproduced except in full without the written "
            "approval of the calibration laboratory.");
        if (c_.place == WorkPlace::CustomerSite)
            Statement("Calibrated on site at: " + c_.siteAddress);
        for (std::size_t i = 0; i < c_.channels.size(); ++i) {
            if (c_.channels[i].conformity) Conformity(c_.channels[i], i);
        }
        End();
    }

    void Statement(const std::string& declaration) {
        Start("statement");
        Text("declaration", declaration);
        End();
    }

    static std::string ChannelId(std::size_t index) { return "channel" + std::to_string(index + 1); }

    void Conformity(const ChannelResult& channel, std::size_t index) {
        const ConformityStatement& statement = *channel.conformity;
        Start("statement");
        xml_.writeAttribute(QStringLiteral("refId"), Q(ChannelId(index)));
        Element("convention", statement.rule == DecisionRule::SimpleAcceptance
                                  ? "simple acceptance (ILAC-G8)"
                                  : "guard-banded acceptance by the expanded uncertainty (ILAC-G8)");
        Text("declaration", channel.name + ": limits of permissible error " +
                                FormatReportValue(statement.lowerLimit) + " " +
                                channel.unit.display + " to " +
                                FormatReportValue(statement.upperLimit) + " " +
                                channel.unit.display + "; the verdict covers " +
                                statement.covers);
        if (statement.verdict != Verdict::NotStated)
            Element("conformity", statement.verdict == Verdict::Pass ? "pass" : "fail");
        End();
    }

    void MeasurementResults() {
        Start("measurementResults");
        for (std::size_t i = 0; i < c_.channels.size(); ++i) ChannelResults(c_.channels[i], i);
        End();
    }

    void ChannelResults(const ChannelResult& channel, std::size_t index) {
        Start("measurementResult");
        xml_.writeAttribute(QStringLiteral("id"), Q(ChannelId(index)));
        Text("name", channel.name + " (" + channel.quantity + ")");
        Start("usedMethods");
        Start("usedMethod");
        Text("name", c_.method);
        End();
        End();
        MeasuringEquipments();
        InfluenceConditions();
        Start("results");
        for (std::size_t p = 0; p < channel.points.size(); ++p)
            Point(channel, channel.points[p], p);
        End();
        End();
    }

    void MeasuringEquipments() {
        if (c_.references.empty()) return;
        Start("measuringEquipments");
        for (const CertificateReference& reference : c_.references) {
            Start("measuringEquipment");
            Text("name", reference.description.empty() ? reference.id : reference.description);
            Text("description", "calibration certificate " + reference.certificateNumber +
                                    ", calibration due " + reference.dueDate);
            Start("identifications");
            Identification("calibrationLaboratory", reference.id, "reference instrument");
            End();
            End();
        }
        End();
    }

    void InfluenceConditions() {
        if (c_.conditions.empty()) return;
        Start("influenceConditions");
        for (const AmbientCondition& condition : c_.conditions) {
            Start("influenceCondition");
            Text("name", condition.name);
            Start("data");
            Quantity("", condition.value, condition.unit, std::nullopt);
            End();
            End();
        }
        End();
    }

    void Point(const ChannelResult& channel, const ResultPoint& point, std::size_t index) {
        Start("result");
        Text("name", "point " + std::to_string(index + 1));
        Start("data");
        Quantity("reference value", point.reference, channel.unit, std::nullopt);
        Quantity("reading as found", point.readingAsFound, channel.unit, std::nullopt);
        ErrorQuantity("error as found", point.errorAsFound, channel.unit, point.uncertainty);
        if (point.errorAsLeft) {
            ErrorQuantity("error as left", *point.errorAsLeft, channel.unit, point.uncertainty);
        } else {
            Start("quantity");
            Text("name", "error as left");
            Text("noQuantity", "not known: the logger's correction could not be read back");
            End();
        }
        End();
        End();
    }

    void ErrorQuantity(const std::string& name, const ReportValue& value, const ReportUnit& unit,
                       const std::optional<ExpandedUncertainty>& uncertainty) {
        Quantity(name, value, unit, uncertainty,
                 uncertainty ? "" : "measurement uncertainty not evaluated");
    }

    void Quantity(const std::string& name, const ReportValue& value, const ReportUnit& unit,
                  const std::optional<ExpandedUncertainty>& uncertainty,
                  const std::string& description = "") {
        Start("quantity");
        if (!name.empty()) Text("name", name);
        if (!description.empty()) Text("description", description);
        xml_.writeStartElement(kSi, QStringLiteral("real"));
        SiElement("value", FormatReportValue(value));
        SiElement("unit", unit.dsi);
        if (uncertainty) {
            xml_.writeStartElement(kSi, QStringLiteral("expandedUnc"));
            SiElement("uncertainty", FormatReportValue(uncertainty->u));
            SiElement("coverageFactor", FormatFactor(uncertainty->coverageFactor));
            SiElement("coverageProbability", FormatFactor(uncertainty->coverageProbability));
            xml_.writeEndElement();
        }
        xml_.writeEndElement();
        End();
    }

    // k and p as plain decimals ("2", "0.95").
    static std::string FormatFactor(double value) {
        std::string text = FormatReportValue({value, 4});
        while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.'))
            text.pop_back();
        return text;
    }

    const CertificateContent& c_;
    QXmlStreamWriter xml_;
};

}  // namespace

std::string DccXml(const CertificateContent& content) {
    QByteArray bytes;
    DccDocument(content, bytes).Write();
    return bytes.toStdString();
}

bool DccComplete(const CertificateContent& content) {
    return !content.number.empty() && !content.firstCalibrationDate.empty() &&
           !content.lastCalibrationDate.empty() && !content.channels.empty();
}

DccWriteResult WriteDcc(const CertificateContent& content, const std::string& path) {
    if (!DccComplete(content)) return DccWriteResult::Incomplete;
    const std::string xml = DccXml(content);
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return DccWriteResult::CannotWrite;
    if (file.write(xml.data(), static_cast<qint64>(xml.size())) !=
        static_cast<qint64>(xml.size()))
        return DccWriteResult::CannotWrite;
    return file.commit() ? DccWriteResult::Written : DccWriteResult::CannotWrite;
}

}  // namespace tb::journal
