// The model-890 cable's answer to the "Y" read: up to 71 bytes, a five-byte
// header (start byte, letter, answer code, length) and the 64-byte
// adjustment block at bytes 5 to 68.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "client/AdjustmentBlock.h"

namespace tb::client {

inline constexpr std::size_t kLgr890ReplySize = 71;
inline constexpr std::size_t kLgr890BlockAt = 5;

// The block of a complete, accepted reply (71 bytes, start byte 0x01,
// answer 0x06); nothing for anything else.
std::optional<AdjustmentBlock> BlockFromLgr890Reply(std::span<const uint8_t> reply);

// True when the reply accepts the write and carries back the four written
// bytes at 5 to 8; a reply that stops before byte 8 proves nothing and fails.
bool Lgr890ReplyConfirmsWrite(std::span<const uint8_t> reply, std::span<const uint8_t, 4> written);

}  // namespace tb::client
