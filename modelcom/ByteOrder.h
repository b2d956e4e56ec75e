// Little-endian fields of the direct-USB frames. Callers check the bounds
// of the span before they read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tb::modelcom {

inline uint16_t ReadU16(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline int16_t ReadI16(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<int16_t>(ReadU16(bytes, offset));
}

inline uint32_t ReadU32(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint32_t>(ReadU16(bytes, offset)) |
           (static_cast<uint32_t>(ReadU16(bytes, offset + 2)) << 16);
}

inline void WriteU16(std::span<uint8_t> bytes, size_t offset, uint32_t value) {
    bytes[offset] = static_cast<uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

inline void WriteU32(std::span<uint8_t> bytes, size_t offset, uint32_t value) {
    WriteU16(bytes, offset, value & 0xFFFF);
    WriteU16(bytes, offset + 2, value >> 16);
}

}  // namespace tb::modelcom
