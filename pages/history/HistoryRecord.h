// The adjustment history that a direct-USB logger keeps per sensor.
//
// A history record is 80 bytes, little-endian: four 15-byte entries (oldest
// first, empty slots all zero), then for each of the sensor's two channels
// its accumulated slope factor (an IEEE 754 double, slope times 1000; 1000.0
// means no adjustment), then four zero bytes. Records come from the logger,
// so parsing never trusts them: every field is read byte by byte from a
// buffer of checked length.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tb::history {

inline constexpr std::size_t kEntrySize = 15;
inline constexpr std::size_t kEntryCount = 4;
inline constexpr std::size_t kRecordSize = 80;
inline constexpr std::size_t kFactorOffset = kEntryCount * kEntrySize;  // 60, then 68
inline constexpr double kNoAdjustmentFactor = 1000.0;

// Entry kinds as the logger stores them.
inline constexpr uint8_t kKindOnePoint = 1;
inline constexpr uint8_t kKindTwoPoint = 2;
inline constexpr uint8_t kKindInitialise = 3;

// Byte 14 of an entry: the temperature unit setting at the time; exactly 1
// means Fahrenheit, anything else Celsius.
inline constexpr uint8_t kUnitFahrenheit = 1;

// One event. Temperature and humidity values are in tenths; illuminance, UV
// and CO2 values are the pages' encoded values (their low 16 bits, signed).
struct HistoryEntry {
    uint8_t channel = 0;  // 1 to 4; 0 in an initialisation entry
    uint8_t kind = 0;     // kKindOnePoint, kKindTwoPoint, kKindInitialise; 0 = empty
    int32_t time = 0;     // seconds since 1970-01-01 00:00 UTC
    int16_t before1 = 0;
    int16_t after1 = 0;
    int16_t before2 = 0;  // two-point entries only, else 0
    int16_t after2 = 0;
    uint8_t unit = 0;  // kUnitFahrenheit or Celsius

    bool operator==(const HistoryEntry&) const = default;
};

using EntryBytes = std::array<uint8_t, kEntrySize>;
using RecordBytes = std::array<uint8_t, kRecordSize>;
using HistoryEntries = std::array<HistoryEntry, kEntryCount>;

// The decoded record: four entries and the two channels' slope factors.
struct HistoryRecord {
    HistoryEntries entries{};
    std::array<double, 2> factors{kNoAdjustmentFactor, kNoAdjustmentFactor};
};

EntryBytes EncodeEntry(const HistoryEntry& entry);
// Decodes exactly kEntrySize bytes; nothing for any other length.
std::optional<HistoryEntry> DecodeEntry(std::span<const uint8_t> bytes);

// The 80 bytes of a record; bytes 76 to 79 are zero.
RecordBytes EncodeRecord(const HistoryRecord& record);
// Decodes exactly kRecordSize bytes; nothing for any other length. Factors
// are taken as stored (see ReadHistory for which of them count).
std::optional<HistoryRecord> DecodeRecord(std::span<const uint8_t> bytes);

// An entry is valid when it is an initialisation, or an adjustment of one
// or two points on channel 1 to 4.
bool IsValidEntry(const HistoryEntry& entry);
// Valid entries counted from the first slot, stopping at the first that is
// not valid (0 to 4).
int ValidEntryCount(const HistoryEntries& entries);

// Appends `entry` after the first `count` entries: into slot `count` when
// there is room, else by dropping the oldest so that it lands in the last
// slot. Returns the new count. `count` outside 0..4 is taken as clamped.
int AppendEntry(HistoryEntries& entries, int count, const HistoryEntry& entry);

}  // namespace tb::history
