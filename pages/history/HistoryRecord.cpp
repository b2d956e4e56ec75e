#include "pages/history/HistoryRecord.h"

#include <algorithm>
#include <bit>

#include "platform/ByteOrder.h"

namespace tb::history {

namespace {

using bytes::ReadI16;
using bytes::ReadU32;
using bytes::WriteU16;
using bytes::WriteU32;

constexpr std::size_t kChannel = 0;
constexpr std::size_t kKind = 1;
constexpr std::size_t kTime = 2;
constexpr std::size_t kBefore1 = 6;
constexpr std::size_t kAfter1 = 8;
constexpr std::size_t kBefore2 = 10;
constexpr std::size_t kAfter2 = 12;
constexpr std::size_t kUnit = 14;
constexpr std::size_t kFactorSize = 8;

double ReadDouble(std::span<const uint8_t> bytes, std::size_t offset) {
    const uint64_t low = ReadU32(bytes, offset);
    const uint64_t high = ReadU32(bytes, offset + 4);
    return std::bit_cast<double>(low | (high << 32));
}

void WriteDouble(std::span<uint8_t> bytes, std::size_t offset, double value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    WriteU32(bytes, offset, static_cast<uint32_t>(bits & 0xFFFFFFFFu));
    WriteU32(bytes, offset + 4, static_cast<uint32_t>(bits >> 32));
}

}  // namespace

EntryBytes EncodeEntry(const HistoryEntry& entry) {
    EntryBytes bytes{};
    bytes[kChannel] = entry.channel;
    bytes[kKind] = entry.kind;
    WriteU32(bytes, kTime, static_cast<uint32_t>(entry.time));
    WriteU16(bytes, kBefore1, static_cast<uint16_t>(entry.before1));
    WriteU16(bytes, kAfter1, static_cast<uint16_t>(entry.after1));
    WriteU16(bytes, kBefore2, static_cast<uint16_t>(entry.before2));
    WriteU16(bytes, kAfter2, static_cast<uint16_t>(entry.after2));
    bytes[kUnit] = entry.unit;
    return bytes;
}

std::optional<HistoryEntry> DecodeEntry(std::span<const uint8_t> bytes) {
    if (bytes.size() != kEntrySize) return std::nullopt;
    HistoryEntry entry;
    entry.channel = bytes[kChannel];
    entry.kind = bytes[kKind];
    entry.time = static_cast<int32_t>(ReadU32(bytes, kTime));
    entry.before1 = ReadI16(bytes, kBefore1);
    entry.after1 = ReadI16(bytes, kAfter1);
    entry.before2 = ReadI16(bytes, kBefore2);
    entry.after2 = ReadI16(bytes, kAfter2);
    entry.unit = bytes[kUnit];
    return entry;
}

RecordBytes EncodeRecord(const HistoryRecord& record) {
    RecordBytes bytes{};
    for (std::size_t i = 0; i < kEntryCount; ++i) {
        const EntryBytes entry = EncodeEntry(record.entries[i]);
        std::copy(entry.begin(), entry.end(), bytes.begin() + i * kEntrySize);
    }
    WriteDouble(bytes, kFactorOffset, record.factors[0]);
    WriteDouble(bytes, kFactorOffset + kFactorSize, record.factors[1]);
    return bytes;
}

std::optional<HistoryRecord> DecodeRecord(std::span<const uint8_t> bytes) {
    if (bytes.size() != kRecordSize) return std::nullopt;
    HistoryRecord record;
    for (std::size_t i = 0; i < kEntryCount; ++i) {
        record.entries[i] = *DecodeEntry(bytes.subspan(i * kEntrySize, kEntrySize));
    }
    record.factors[0] = ReadDouble(bytes, kFactorOffset);
    record.factors[1] = ReadDouble(bytes, kFactorOffset + kFactorSize);
    return record;
}

bool IsValidEntry(const HistoryEntry& entry) {
    if (entry.kind == kKindInitialise) return true;
    const bool adjustment = entry.kind == kKindOnePoint || entry.kind == kKindTwoPoint;
    return adjustment && entry.channel >= 1 && entry.channel <= 4;
}

int ValidEntryCount(const HistoryEntries& entries) {
    int count = 0;
    while (count < static_cast<int>(kEntryCount) && IsValidEntry(entries[count])) ++count;
    return count;
}

int AppendEntry(HistoryEntries& entries, int count, const HistoryEntry& entry) {
    constexpr int kSlots = static_cast<int>(kEntryCount);
    count = std::clamp(count, 0, kSlots);
    if (count < kSlots) {
        entries[count] = entry;
        return count + 1;
    }
    std::shift_left(entries.begin(), entries.end(), 1);
    entries[kSlots - 1] = entry;
    return kSlots;
}

}  // namespace tb::history
