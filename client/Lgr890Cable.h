// Writing and reading the adjustment block of the model-890 logger over its
// serial cable: a wake byte, one "V" frame per byte written, and a "Y" read
// of the whole block. The port is opened for each operation and closed on
// every path.
#pragma once

#include <cstdint>
#include <span>

#include "client/CommandText.h"

namespace tb::client {

inline constexpr uint8_t kWakeByte = 0x00;
inline constexpr uint32_t kAfterWakeMs = 50;
inline constexpr uint32_t kAfterFrameMs = 100;
// Bytes 0 to 3 of the block (channel 1's codes) travel in "V" frames.
inline constexpr uint16_t kCableWrittenBytes = 4;

// Writes block bytes 0 to 3, waits waitMs, reads the block back; true when
// the logger accepts and echoes the four bytes written.
bool WriteBlockSerial(std::span<const uint8_t, kAdjustmentBlockSize> block, int waitMs);

// Reads the block; true only for a complete, accepted reply, and only then is
// the caller's block changed.
bool ReadBlockSerial(std::span<uint8_t, kAdjustmentBlockSize> block);

}  // namespace tb::client
