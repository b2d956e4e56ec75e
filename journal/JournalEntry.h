// One row of the adjustment journal as it is stored.
//
// The row keeps every field as the text that is stored, so that the chain
// value computed before the insert is the one verify computes from what it
// reads back. Channels are one JSON array (one object per channel) because
// pages have one to three channels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pages/AdjustmentRecord.h"

namespace tb::journal {

inline constexpr const char* kOutcomeSuccess = "success";
inline constexpr const char* kOutcomeFailure = "failure";
inline constexpr const char* kOutcomeCancelled = "cancelled";

// Rows of version 1 were written before the references and the ambient
// conditions were recorded; their canonical text stays as it was, so that
// they still verify. Every row written now is of kRowVersion.
inline constexpr int kRowVersionFirst = 1;
inline constexpr int kRowVersion = 2;

struct JournalEntry {
    int64_t id = 0;             // assigned by the store
    std::string recordedUtc;    // "2026-12-09T02:15:10.123Z"
    int utcOffsetMinutes = 0;   // the bench's local offset at that moment
    std::string operatorName;
    std::string programVersion;
    std::string page;
    std::string model;
    std::string operation;      // "send", "receive", "initialise"
    std::string unitSerial;
    std::string loggerSerial;
    std::string tempUnit;       // "C" or "F"
    std::string channels;       // JSON array, see ChannelsJson
    std::string outcome;        // kOutcome...
    int messageId = 0;
    std::optional<int> resultCode;
    std::string historyEntry;   // upper-case hex of the entry bytes, empty when none
    std::string chain;          // SHA-256 over the previous row's chain and this row, hex
    int rowVersion = kRowVersion;
    std::string references;     // JSON array, see ReferencesJson; empty: none recorded
    std::string ambientC;       // "23.5", empty when not given
    std::string humidityPct;    // "45", empty when not given

    friend bool operator==(const JournalEntry&, const JournalEntry&) = default;
};

// Who, when and with what program the record was made.
struct RecordContext {
    std::string recordedUtc;
    int utcOffsetMinutes = 0;
    std::string operatorName;
    std::string programVersion;
};

// The row for a page's record (without id and chain).
JournalEntry EntryFromRecord(const pages::AdjustmentRecord& record, const RecordContext& context);

// The context of now: UTC with milliseconds, the local offset, the operator
// setting (default: the login name) and the program version.
RecordContext CurrentContext();

// The channels of a record as the stored JSON text, and back. A text that is
// not such an array gives no channels.
std::string ChannelsJson(const std::vector<pages::ChannelRecord>& channels);
std::vector<pages::ChannelRecord> ParseChannels(const std::string& json);

// The text every row is hashed over: each field as <length>:<bytes>, in a
// fixed order, so that no two different rows give the same text. From row
// version 2 on the version, the references and the ambient conditions follow.
std::string CanonicalText(const JournalEntry& entry);

}  // namespace tb::journal
