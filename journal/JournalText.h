// The journal's rows as a person reads them: in the window, the detail
// pane, the CSV file and the certificate. Labels are numbered texts, so a
// resource library can give them in English.
#pragma once

#include <optional>
#include <string>

#include "journal/JournalEntry.h"

namespace tb::journal {

// "y = 1.010x +0.500", or "-" when the value is not known.
std::string CorrectionText(const std::optional<pages::Correction>& correction);

// The recorded time in the bench's local time: "2026-12-09 11:15:10 (+09:00)".
std::string LocalTimeText(const JournalEntry& entry);
// The local date of the record, "2026-12-09".
std::string LocalDateText(const JournalEntry& entry);

std::string OperationText(const std::string& operation);
// "成功", "取消", "失敗 (メッセージ n, コード c)", or "失敗 (メッセージ n)" when
// no library code came back (a refusal by the limits).
std::string OutcomeText(const JournalEntry& entry);

// The identity of the logger: logger serial, else the base unit's serial.
std::string IdentityText(const JournalEntry& entry);

// Every channel's field joined with " | " (as found, points, ...).
enum class ChannelField { AsFound, Points, Entered, Composed, AsLeft };
std::string ChannelsText(const JournalEntry& entry, ChannelField field);

// The references a row was made with: "PT100-07 (C-123, 2027-03-31) | ...",
// with the expired mark; "記録なし" when it names none.
std::string ReferencesText(const JournalEntry& entry);
// The ambient conditions: "23.5 °C, 45 %RH"; "記録なし" when not given.
std::string AmbientText(const JournalEntry& entry);

// The whole row, one labelled line per field and per channel.
std::string DetailText(const JournalEntry& entry);

}  // namespace tb::journal
