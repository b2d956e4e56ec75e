#include "sim/lgr87x/Lgr87xWire.h"

#include <algorithm>

#include "sim/core/WireBytes.h"

namespace tb::sim {

void Lgr87xFrameCutter::Push(std::span<const uint8_t> bytes) {
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

std::optional<Lgr87xRequest> Lgr87xFrameCutter::Next() {
    for (;;) {
        auto start = std::find(buffer_.begin(), buffer_.end(), uint8_t{0x01});
        buffer_.erase(buffer_.begin(), start);
        if (buffer_.size() < 5) return std::nullopt;
        size_t length = buffer_[3] | (buffer_[4] << 8);
        if (length > kMaxRequestData) {
            buffer_.erase(buffer_.begin());  // not a frame start after all
            continue;
        }
        size_t total = length + 7;
        if (buffer_.size() < total) return std::nullopt;
        Lgr87xRequest request;
        request.command = buffer_[1];
        request.sub = buffer_[2];
        request.data.assign(buffer_.begin() + 5, buffer_.begin() + 5 + length);
        uint16_t sent = static_cast<uint16_t>(buffer_[total - 2] | (buffer_[total - 1] << 8));
        request.checkOk = sent == wire::ByteSum16(std::span(buffer_).first(total - 2));
        buffer_.erase(buffer_.begin(), buffer_.begin() + total);
        return request;
    }
}

std::vector<uint8_t> Lgr87xReply(uint8_t command, uint8_t status, std::span<const uint8_t> data) {
    std::vector<uint8_t> frame{0x01, command, status, static_cast<uint8_t>(data.size() & 0xFF),
                               static_cast<uint8_t>(data.size() >> 8)};
    frame.insert(frame.end(), data.begin(), data.end());
    uint16_t sum = wire::ByteSum16(frame);
    frame.push_back(static_cast<uint8_t>(sum & 0xFF));
    frame.push_back(static_cast<uint8_t>(sum >> 8));
    return frame;
}

}  // namespace tb::sim
