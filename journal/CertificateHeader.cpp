#include "journal/CertificateHeader.h"

#include "journal/JournalLocation.h"
#include "services/Settings.h"

namespace tb::journal {

CertificateHeader ConfiguredHeader() {
    using services::ReadSettingText;
    CertificateHeader header;
    header.lab = LabName();
    header.labAddress = ReadSettingText("Journal/LabAddress");
    header.place = ReadSettingText("Journal/Place");
    header.customer = ReadSettingText("Journal/Customer");
    header.customerAddress = ReadSettingText("Journal/CustomerAddress");
    header.method = ReadSettingText("Journal/Method");
    header.approver = ReadSettingText("Journal/Approver");
    header.approverRole = ReadSettingText("Journal/ApproverRole");
    header.uncertainty = ReadSettingText("Journal/Uncertainty");
    header.tolerance = ReadSettingText("Journal/Tolerance");
    header.decisionRule = ReadSettingText("Journal/DecisionRule");
    return header;
}

}  // namespace tb::journal
