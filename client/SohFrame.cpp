#include "client/SohFrame.h"

#include "platform/ByteOrder.h"

namespace tb::client {

SohFrame MakeSohRequest(uint8_t letter, std::array<uint8_t, 4> data) {
    SohFrame frame{};
    frame[0] = kSohStart;
    frame[1] = letter;
    frame[2] = 0;
    bytes::WriteU16(frame, 3, kSohDataLength);
    std::copy(data.begin(), data.end(), frame.begin() + kSohDataAt);
    bytes::WriteU16(frame, kSohCheckAt, bytes::ByteSum16(std::span(frame).first(kSohCheckAt)));
    return frame;
}

SohFrame MakeReadCorrectionRequest() { return MakeSohRequest(kLetterReadCorrection, {}); }

SohFrame MakeWriteCorrectionRequest(int16_t offsetCode, uint16_t slopeCode) {
    std::array<uint8_t, 4> data{};
    bytes::WriteU16(data, 0, static_cast<uint16_t>(offsetCode));
    bytes::WriteU16(data, 2, slopeCode);
    return MakeSohRequest(kLetterWriteCorrection, data);
}

SohFrame MakeWriteByteRequest(uint16_t address, uint8_t value) {
    std::array<uint8_t, 4> data{};
    bytes::WriteU16(data, 0, address);
    bytes::WriteU16(data, 2, value);
    return MakeSohRequest(kLetterWriteByte, data);
}

SohFrame MakeReadBlockRequest() { return MakeSohRequest(kLetterReadBlock, {}); }

int CheckReadCorrectionReply(std::span<const uint8_t> reply) {
    if (reply.size() < kSohFrameSize) return -1;
    if (reply[1] != kLetterReadCorrection) return -2;
    switch (reply[2]) {
        case kAnswerAccepted:
            break;
        case kAnswerRefusedNak:
            return -3;
        case kAnswerRefusedBusy:
            return -4;
        case kAnswerRefusedOther:
            return -5;
        default:
            return -6;
    }
    if (bytes::ReadU16(reply, 3) != kSohDataLength) return -7;
    if (bytes::ByteSum16(reply.first(kSohCheckAt)) != bytes::ReadU16(reply, kSohCheckAt)) return -8;
    return 0;
}

PassThroughCodes DecodePassThroughCodes(std::span<const uint8_t, kSohFrameSize> reply) {
    return {bytes::ReadI16(reply, kSohDataAt), bytes::ReadU16(reply, kSohDataAt + 2)};
}

}  // namespace tb::client
