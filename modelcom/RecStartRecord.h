// The 42-byte recording-settings record of the record-start command, built
// from the export's arguments by a per-model field layout.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tb::modelcom {

inline constexpr size_t kRecStartRecordSize = 42;

struct RecordField {
    uint8_t offset;
    uint8_t size;      // 1, 2 or 4 bytes, little-endian; a field takes the argument's low bytes
    uint8_t argument;  // the export's argument number, the serial number being #1
};

// arguments[0] is argument #2.
std::array<uint8_t, kRecStartRecordSize> BuildRecStartRecord(std::span<const RecordField> layout,
                                                             std::span<const int> arguments);

}  // namespace tb::modelcom
