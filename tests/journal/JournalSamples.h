// Records and rows with known contents for the journal's tests.
#pragma once

#include <string>

#include "journal/JournalEntry.h"
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

}  // namespace tb::journal::testing
