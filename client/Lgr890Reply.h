// The model-890 cable's answer to the "Y" read: up to 71 bytes, a five-byte
// header (start byte, letter, answer code, length), the 64-byte adjustment
// block at bytes 5 to 68 and the 16-bit sum of bytes 0 to 68 (low byte
// first) at 69 and 70.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "client/AdjustmentBlock.h"

namespace tb::client {

inline constexpr std::size_t kLgr890ReplySize = 71;
inline constexpr std::size_t kLgr890BlockAt = 5;
inline constexpr std::size_t kLgr890CheckAt = 69;

// True when the reply is complete and its sum matches its bytes.
bool Lgr890ReplyIntact(std::span<const uint8_t> reply);

// The block of an intact, accepted reply (71 bytes, start byte 0x01,
// answer 0x06, right sum); nothing for anything else.
std::optional<AdjustmentBlock> BlockFromLgr890Reply(std::span<const uint8_t> reply);

// True when the intact reply accepts the write and carries back the four
// written bytes at 5 to 8. A reply cut short or with a wrong sum proves
// nothing about what the logger holds and fails.
bool Lgr890ReplyConfirmsWrite(std::span<const uint8_t> reply, std::span<const uint8_t, 4> written);

}  // namespace tb::client
