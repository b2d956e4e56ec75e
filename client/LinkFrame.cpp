#include "client/LinkFrame.h"

#include "platform/ByteOrder.h"

namespace tb::client {

std::vector<uint8_t> WrapTextFrame(std::span<const uint8_t> body) {
    if (body.size() > kMaxFrameBody) return {};
    std::vector<uint8_t> frame(kFrameHeadSize + body.size() + kFrameCheckSize);
    frame[0] = kFrameMarker;
    frame[1] = kFrameKindText;
    bytes::WriteU16(frame, 2, static_cast<uint16_t>(body.size()));
    std::copy(body.begin(), body.end(), frame.begin() + kFrameHeadSize);
    bytes::WriteU16(frame, kFrameHeadSize + body.size(), bytes::ByteSum16(body));
    return frame;
}

std::optional<std::span<const uint8_t>> UnwrapTextFrame(std::span<const uint8_t> received) {
    if (received.size() < kFrameHeadSize) return std::nullopt;
    if (received[0] != kFrameMarker || received[1] != kFrameKindText) return std::nullopt;
    const std::size_t bodySize = bytes::ReadU16(received, 2);
    if (received.size() - kFrameHeadSize < bodySize + kFrameCheckSize) return std::nullopt;
    const auto body = received.subspan(kFrameHeadSize, bodySize);
    if (bytes::ByteSum16(body) != bytes::ReadU16(received, kFrameHeadSize + bodySize))
        return std::nullopt;
    return body;
}

}  // namespace tb::client
