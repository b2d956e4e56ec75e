// The 192-byte logger table that command 0x55 returns in three 64-byte
// blocks, and the fields the libraries take from it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tb::modelcom {

inline constexpr uint8_t kTableCommand = 0x55;
inline constexpr size_t kTableBlockCount = 3;
inline constexpr size_t kTableBlockSize = 64;
inline constexpr size_t kTableSize = kTableBlockCount * kTableBlockSize;
inline constexpr uint16_t kTableReplyLength = kTableBlockSize + 7;

inline constexpr size_t kTableSerialOffset = 45;
inline constexpr size_t kTableTypeCodeOffset = 62;
inline constexpr size_t kTableNameAOffset = 128;
inline constexpr size_t kTableNameBOffset = 136;
inline constexpr size_t kTableNameSize = 8;

// In the table of the recorded-data command (0x40): recorded bytes (u16).
inline constexpr size_t kRecordedBytesOffset = 58;

}  // namespace tb::modelcom
