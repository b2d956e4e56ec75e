// Link frames: 'T', a kind byte, a little-endian length field and the bytes
// after the header, whose count the kind fixes:
//   '1': 1-byte length n, n + 1 bytes follow
//   '2': 2-byte length n, n + 2 bytes follow (data, then 16-bit byte sum)
//   '4': 4-byte length n, n + 4 bytes follow
//   'E': 4-byte length n, n bytes follow
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tb::link {

inline constexpr uint8_t kFrameStart = 'T';
inline constexpr size_t kLongestHeader = 6;

struct FrameKind {
    uint8_t kindByte;
    size_t headerBytes;   // 'T', kind and the length field
    uint64_t extraBytes;  // bytes after the data part: check or trailer
};

// The kind that kindByte names, or nothing for an unknown kind.
std::optional<FrameKind> FrameKindOf(uint8_t kindByte);

// Bytes after a complete header (data part and trailer), from its length field.
uint64_t BytesAfterHeader(const FrameKind& kind, std::span<const uint8_t> header);

// The serial query: a kind-'2' frame carrying "RUINF:".
inline constexpr std::array<uint8_t, 12> kSerialQueryFrame{'T', '2', 0x06, 0x00, 'R',  'U',
                                                           'I', 'N', 'F',  ':',  0xBE, 0x01};

}  // namespace tb::link
