// Block writes and reads through the first base unit found, with the
// read-back that verifies a write.
#pragma once

#include <cstdint>
#include <span>

#include "client/CommandText.h"

namespace tb::client {

inline constexpr int kVerifyReadBacks = 4;

// Writes the block; unless waitMs is negative, reads it back after waitMs up
// to four times until all 64 bytes match. True when written (and matched).
bool WriteBlockVerified(std::span<const uint8_t, kAdjustmentBlockSize> block, int waitMs);

// Reads the adjustment block into the caller's block (zero after a failed
// read); true when the read succeeded.
bool ReadBlock(std::span<uint8_t, kAdjustmentBlockSize> block);

// Writes one channel through the pass-through command and reads it back
// once; true when the logger accepted it and holds the codes written.
bool WritePassThroughVerified(uint16_t slopeCode, int16_t offsetCode);

// Reads the pass-through correction frame into the caller's frame; true when
// the exchange succeeded (the frame itself is not checked here).
bool ReadPassThroughFrame(std::span<uint8_t, kSohFrameSize> frame);

}  // namespace tb::client
