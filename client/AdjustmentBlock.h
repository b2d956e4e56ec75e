// The 64-byte adjustment block: per channel a 16-bit unsigned slope code and
// a 16-bit signed offset code (channel 1 at bytes 0-3, channel 2 at 4-7),
// the rest zero.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "client/CommandText.h"

namespace tb::client {

using AdjustmentBlock = std::array<uint8_t, kAdjustmentBlockSize>;

inline constexpr std::size_t kMaxChannels = 2;

struct ChannelCorrection {
    double slope = 1.0;
    double offset = 0.0;
};

struct CorrectionScales {
    uint16_t slope = 1000;
    uint16_t offset = 1000;
};

// Encodes the first `channels` entries (1 or 2) with the kind's offset
// rounding; nothing when an entry is missing or a value does not fit its code.
std::optional<AdjustmentBlock> EncodeAdjustmentBlock(std::span<const ChannelCorrection> channels,
                                                     CorrectionScales scales, int kind);

// Channel 0 or 1 of a block, decoded with the scales.
ChannelCorrection DecodeAdjustmentChannel(std::span<const uint8_t, kAdjustmentBlockSize> block,
                                          std::size_t channel, CorrectionScales scales);

}  // namespace tb::client
