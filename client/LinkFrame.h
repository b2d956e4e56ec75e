// The link frame of kind '2' that carries every command and reply text:
// 'T' '2', a 16-bit body length N, the N body bytes and the 16-bit byte sum
// of the body.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tb::client {

inline constexpr uint8_t kFrameMarker = 0x54;    // 'T'
inline constexpr uint8_t kFrameKindText = 0x32;  // '2'
inline constexpr std::size_t kFrameHeadSize = 4;
inline constexpr std::size_t kFrameCheckSize = 2;
inline constexpr std::size_t kMaxFrameBody = 0xFFFF;

// Wraps a body of at most kMaxFrameBody bytes; a longer body gives an empty vector.
std::vector<uint8_t> WrapTextFrame(std::span<const uint8_t> body);

// The body of a received frame, when marker, kind, length and check are
// right; bytes after the check are ignored.
std::optional<std::span<const uint8_t>> UnwrapTextFrame(std::span<const uint8_t> received);

}  // namespace tb::client
