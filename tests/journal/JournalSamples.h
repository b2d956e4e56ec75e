// Records and rows with known contents for the journal's tests.
#pragma once

#include <string>

#include "journal/CertificateHeader.h"
#include "journal/JournalEntry.h"
#include "services/Settings.h"
#include "pages/AdjustmentRecord.h"
#include "pages/OperationRecord.h"

namespace tb::journal::testing {

// A one-channel send on the 820/821 page of unit serial.
inline pages::AdjustmentRecord SampleRecord(const std::string& unitSerial, bool success = true) {
    pages::AdjustmentRecord record;
    record.page = "820/821";
    record.model = "820/821";
    record.operation = pages::PageOperation::Send;
    record.unitSerial = unitSerial;
    pages::ChannelRecord channel;
    channel.name = "CH1";
    channel.unit = pages::kUnitCelsius;
    channel.asFound = pages::Correction{1.0, 0.4};
    channel.enteredPoints = {"25.0", "25.3"};
    channel.entered = pages::Correction{1.0, 0.3};
    channel.composed = pages::Correction{1.0, 0.7};
    if (success) channel.asLeft = channel.composed;
    channel.limits = pages::LimitsRecord(pages::CheckKind::Celsius);
    record.channels = {channel};
    record.success = success;
    record.messageId = success ? 1050 : 1048;
    return record;
}

// The row of SampleRecord at a fixed time, with a fixed operator.
inline JournalEntry SampleEntry(const std::string& unitSerial, const std::string& utc,
                                bool success = true) {
    const RecordContext context{utc, 540, "tanaka", "1.31"};
    return EntryFromRecord(SampleRecord(unitSerial, success), context);
}

// A header with every item a certificate must state.
inline CertificateHeader LabHeader() {
    CertificateHeader header;
    header.lab = "Kestrune Service Lab";
    header.labAddress = "1-2-3 Minato, Tokyo";
    header.customer = "Aoba Foods";
    header.customerAddress = "4-5 Aoba, Sendai";
    header.method = "KSL-CAL-07";
    header.approver = "Sato Hanako";
    header.approverRole = "Quality manager";
    header.uncertainty = "°C=0.12; %RH=1.5; *=0.2";
    header.issueDate = "2026-12-10";
    return header;
}

// The same header as the settings that give it.
inline void WriteLabSettings() {
    const CertificateHeader header = LabHeader();
    services::WriteSettingText("Journal/Lab", header.lab);
    services::WriteSettingText("Journal/LabAddress", header.labAddress);
    services::WriteSettingText("Journal/Customer", header.customer);
    services::WriteSettingText("Journal/CustomerAddress", header.customerAddress);
    services::WriteSettingText("Journal/Method", header.method);
    services::WriteSettingText("Journal/Approver", header.approver);
    services::WriteSettingText("Journal/ApproverRole", header.approverRole);
    services::WriteSettingText("Journal/Uncertainty", header.uncertainty);
}

}  // namespace tb::journal::testing
