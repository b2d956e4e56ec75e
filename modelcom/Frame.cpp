#include "modelcom/Frame.h"

#include <algorithm>

#include "platform/ByteOrder.h"
#include "modelcom/ResultCodes.h"

namespace tb::modelcom {

std::vector<uint8_t> BuildRequest(uint8_t command, uint8_t sub, std::span<const uint8_t> data) {
    if (data.size() > kMaxRequestData) return {};
    std::vector<uint8_t> frame(data.size() + kFrameOverhead);
    frame[0] = kFrameStart;
    frame[1] = command;
    frame[2] = sub;
    bytes::WriteU16(frame, 3, static_cast<uint32_t>(data.size()));
    std::copy(data.begin(), data.end(), frame.begin() + kFrameHeaderSize);
    size_t checkAt = kFrameHeaderSize + data.size();
    bytes::WriteU16(frame, checkAt, bytes::ByteSum16(std::span(frame).first(checkAt)));
    return frame;
}

namespace {

int StatusCode(uint8_t status, int status35Code) {
    switch (status) {
        case kStatusAccepted:
            return kOk;
        case kStatusRefused:
            return kRefused;
        case kStatusRecording:
            return kRefusedRecording;
        case kStatus35:
            return status35Code;
        default:
            return kRefusedOther;
    }
}

}  // namespace

int CheckReply(std::span<const uint8_t> received, uint8_t command, int status35Code) {
    if (received.empty()) return kReplyLengthWrong;
    if (received[0] != kFrameStart) return kReplyNotFramed;
    if (received.size() < 2) return kReplyLengthWrong;
    if (received[1] != command) return kReplyOtherCommand;
    if (command != kBulkBlockCommand) {
        if (received.size() < 3) return kReplyLengthWrong;
        if (int code = StatusCode(received[2], status35Code); code != kOk) return code;
    }
    if (received.size() < kFrameHeaderSize) return kReplyLengthWrong;
    if (received.size() != bytes::ReadU16(received, 3) + kFrameOverhead) return kLengthFieldWrong;
    size_t checkAt = received.size() - 2;
    if (bytes::ByteSum16(received.first(checkAt)) != bytes::ReadU16(received, checkAt))
        return kCheckWrong;
    return kOk;
}

}  // namespace tb::modelcom
