// Little-endian 16-bit fields, as every device byte layout of the command
// client stores them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tb::client {

inline uint16_t ReadU16(std::span<const uint8_t> bytes, std::size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline int16_t ReadS16(std::span<const uint8_t> bytes, std::size_t at) {
    return static_cast<int16_t>(ReadU16(bytes, at));
}

inline void WriteU16(std::span<uint8_t> bytes, std::size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

// The 16-bit byte sum that checks link frames and start-of-header frames.
inline uint16_t ByteSum16(std::span<const uint8_t> bytes) {
    uint32_t sum = 0;
    for (uint8_t b : bytes) sum += b;
    return static_cast<uint16_t>(sum);
}

}  // namespace tb::client
