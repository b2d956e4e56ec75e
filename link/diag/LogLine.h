// Text layout of the diagnostic log: the time-stamped line that travels
// through the flight channel and the fixed records of the ring file.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace tb::link::diag {

// Longest line the flight channel carries; longer lines are cut.
inline constexpr size_t kMaxLineBytes = 100;

// "YYYY/MM/DD hh:mm'ss text" in local time, cut to kMaxLineBytes.
std::string FormatLogLine(std::time_t when, std::string_view text);

// Ring file records: 100 bytes, blank-filled, CR LF in the last two bytes.
inline constexpr size_t kRecordBytes = 100;
inline constexpr int kRingCapacity = 5000;

// A line of 70 characters or more is kept as its first 60 bytes and " .... ".
std::string CutLongLine(std::string_view line);

// The header record: "FLIT <capacity> <count> <index as %04d>".
std::string HeaderRecord(int capacity, int count, int index);

// The record of one entry: "<index as %04d>  <line, cut>".
std::string EntryRecord(int index, std::string_view line);

}  // namespace tb::link::diag
