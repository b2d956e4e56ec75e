// Little-endian fields and the 16-bit byte sum of the frames the bench's
// devices read and write. The bench keeps this header of its own: it shares
// no code with the libraries that talk to it. Callers check that the span
// holds the field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tb::sim::wire {

inline uint16_t ReadU16(std::span<const uint8_t> bytes, std::size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline int16_t ReadI16(std::span<const uint8_t> bytes, std::size_t at) {
    return static_cast<int16_t>(ReadU16(bytes, at));
}

inline void WriteU16(std::span<uint8_t> bytes, std::size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

inline void WriteU32(std::span<uint8_t> bytes, std::size_t at, uint32_t value) {
    WriteU16(bytes, at, static_cast<uint16_t>(value & 0xFFFF));
    WriteU16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

// The sum of all bytes, modulo 2^16.
inline uint16_t ByteSum16(std::span<const uint8_t> bytes) {
    uint32_t sum = 0;
    for (uint8_t b : bytes) sum += b;
    return static_cast<uint16_t>(sum);
}

}  // namespace tb::sim::wire
