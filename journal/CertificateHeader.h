// What a certificate states besides the journal's rows: who issues it, for
// whom, where, by which method, who authorises it, the lab's stated
// uncertainty and limits, and the decision rule. The settings give it
// (ConfiguredHeader); a front end may replace single fields from its own
// options. CertificateBuilder.h checks that it is complete.
//
//   Journal/Lab, Journal/LabAddress     the issuing lab (required)
//   Journal/Place                       "lab" (default) or "site"
//   Journal/Customer, Journal/CustomerAddress
//                                       the customer (name required; the
//                                       address is required on site)
//   Journal/Method                      the method or procedure (required)
//   Journal/Approver, Journal/ApproverRole
//                                       who authorises (required)
//   Journal/Uncertainty                 U per unit or channel (StatedFigures.h)
//   Journal/Tolerance                   the permissible error per unit or channel
//   Journal/DecisionRule                "simple" (default) or "guard-band"
#pragma once

#include <string>

namespace tb::journal {

struct CertificateHeader {
    std::string lab{};
    std::string operatorName{};  // empty: the operator of the first entry
    std::string labAddress{};
    std::string place{};  // "lab" or "site"; empty: lab
    std::string customer{};
    std::string customerAddress{};
    std::string method{};
    std::string approver{};
    std::string approverRole{};
    std::string itemCondition{};  // empty: as received
    std::string receiptDate{};    // "YYYY-MM-DD"; empty: not stated
    std::string issueDate{};      // "YYYY-MM-DD"; empty: today
    std::string uncertainty{};
    std::string tolerance{};
    std::string decisionRule{};  // "simple" or "guard-band"; empty: simple
    bool uncertaintyNotEvaluated = false;  // issue with "not evaluated" instead of U
    std::string replaces{};  // the number of the certificate this one corrects
};

// The header the settings give.
CertificateHeader ConfiguredHeader();

}  // namespace tb::journal
