// What a certificate names besides the journal's rows: the lab, its
// address, the customer, the operator and the lab's stated uncertainty, as
// the settings give them (Journal/Lab, Journal/LabAddress, Journal/Customer,
// Journal/Uncertainty).
#pragma once

#include <string>

namespace tb::journal {

struct CertificateHeader {
    std::string lab{};
    std::string operatorName{};  // empty: the operator of the first entry
    std::string labAddress{};
    std::string customer{};
    // The lab's stated uncertainty per channel, printed as given:
    // "温度=±0.10 °C (k=2); 湿度=±1.5 %RH (k=2); *=±0.2 (k=2)" (name as the
    // page labels the channel; * for every other channel).
    std::string uncertainty{};
};

// The header the settings give.
CertificateHeader ConfiguredHeader();

// The lab's stated uncertainty for a channel name; empty when none is given.
std::string UncertaintyFor(const std::string& stated, const std::string& channel);

}  // namespace tb::journal
