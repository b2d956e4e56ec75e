#include "sim/baseunit/UnitFrames.h"

#include <algorithm>

#include "sim/core/WireBytes.h"

namespace tb::sim {
namespace {

constexpr size_t kLongestFrame = 4 + 0xFFFF + 2;

// Length of a whole frame of another kind, once its header is in; 0 while not.
size_t OtherKindLength(const std::vector<uint8_t>& b) {
    auto field = [&](size_t width) {
        size_t n = 0;
        for (size_t i = 0; i < width; ++i) n |= static_cast<size_t>(b[2 + i]) << (8 * i);
        return n;
    };
    switch (b[1]) {
        case '1':
            return b.size() >= 3 ? 3 + field(1) + 1 : 0;
        case '4':
            return b.size() >= 6 ? 6 + field(4) + 4 : 0;
        case 'E':
            return b.size() >= 6 ? 6 + field(4) : 0;
        default:
            return 1;  // not a frame: drop the 'T'
    }
}

}  // namespace

std::vector<uint8_t> MakeUnitFrame(std::span<const uint8_t> text) {
    const size_t n = std::min<size_t>(text.size(), 0xFFFF);
    std::vector<uint8_t> frame{'T', '2', static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8)};
    frame.insert(frame.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    const uint16_t sum = wire::ByteSum16(text.first(n));
    frame.push_back(static_cast<uint8_t>(sum));
    frame.push_back(static_cast<uint8_t>(sum >> 8));
    return frame;
}

void UnitFrameReader::Feed(std::span<const uint8_t> bytes) {
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void UnitFrameReader::Skip(size_t count) {
    count = std::min(count, buffer_.size());
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
    skipped_ += count;
}

std::optional<UnitFrameReader::Frame> UnitFrameReader::Next() {
    for (;;) {
        const auto start = std::find(buffer_.begin(), buffer_.end(), 'T');
        Skip(static_cast<size_t>(start - buffer_.begin()));
        if (buffer_.size() < 2) return std::nullopt;
        if (buffer_[1] != '2') {
            size_t whole = OtherKindLength(buffer_);
            // A unit has no room for big frames of kinds it does not use.
            if (whole > kLongestFrame) whole = 1;
            if (whole == 0 || (whole > 1 && buffer_.size() < whole)) return std::nullopt;
            Skip(whole);
            continue;
        }
        if (buffer_.size() < 4) return std::nullopt;
        const size_t n = buffer_[2] | (static_cast<size_t>(buffer_[3]) << 8);
        if (buffer_.size() < 4 + n + 2) return std::nullopt;
        Frame frame;
        frame.text.assign(buffer_.begin() + 4,
                          buffer_.begin() + 4 + static_cast<std::ptrdiff_t>(n));
        const uint16_t check = static_cast<uint16_t>(buffer_[4 + n] | (buffer_[5 + n] << 8));
        frame.checkOk = check == wire::ByteSum16(frame.text);
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(4 + n + 2));
        return frame;
    }
}

}  // namespace tb::sim
