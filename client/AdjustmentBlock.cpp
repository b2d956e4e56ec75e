#include "client/AdjustmentBlock.h"

#include "platform/ByteOrder.h"
#include "client/CorrectionCodes.h"

namespace tb::client {
namespace {

constexpr std::size_t kChannelBytes = 4;

}  // namespace

std::optional<AdjustmentBlock> EncodeAdjustmentBlock(std::span<const ChannelCorrection> channels,
                                                     CorrectionScales scales, int kind) {
    if (channels.empty() || channels.size() > kMaxChannels) return std::nullopt;
    AdjustmentBlock block{};
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const auto slope = EncodeSlopeCode(channels[i].slope, scales.slope);
        const auto offset =
            EncodeOffsetCode(channels[i].offset, scales.offset, OffsetDecimalsForKind(kind));
        if (!slope || !offset) return std::nullopt;
        bytes::WriteU16(block, i * kChannelBytes, *slope);
        bytes::WriteU16(block, i * kChannelBytes + 2, static_cast<uint16_t>(*offset));
    }
    return block;
}

ChannelCorrection DecodeAdjustmentChannel(std::span<const uint8_t, kAdjustmentBlockSize> block,
                                          std::size_t channel, CorrectionScales scales) {
    const std::size_t at = (channel % kMaxChannels) * kChannelBytes;
    return {DecodeSlope(bytes::ReadU16(block, at), scales.slope),
            DecodeOffset(bytes::ReadI16(block, at + 2), scales.offset)};
}

}  // namespace tb::client
