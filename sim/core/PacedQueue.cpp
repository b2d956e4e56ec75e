#include "sim/core/PacedQueue.h"

#include <algorithm>

namespace tb::sim {

std::chrono::nanoseconds PacedQueue::ByteTime() const {
    if (!paced_ || baud_ <= 0) return std::chrono::nanoseconds(0);
    return std::chrono::nanoseconds(10'000'000'000LL / baud_);
}

SimClock::time_point PacedQueue::Push(std::span<const uint8_t> bytes,
                                      SimClock::time_point earliest) {
    lineFree_ = std::max(lineFree_, earliest);
    for (uint8_t byte : bytes) {
        lineFree_ += ByteTime();
        bytes_.push_back({lineFree_, byte});
    }
    return lineFree_;
}

std::vector<uint8_t> PacedQueue::PeekDue(SimClock::time_point now, size_t limit) const {
    std::vector<uint8_t> due;
    for (const auto& entry : bytes_) {
        if (entry.due > now || due.size() == limit) break;
        due.push_back(entry.byte);
    }
    return due;
}

void PacedQueue::Drop(size_t count) {
    bytes_.erase(bytes_.begin(),
                 bytes_.begin() + static_cast<std::ptrdiff_t>(std::min(count, bytes_.size())));
}

std::optional<SimClock::time_point> PacedQueue::NextDue() const {
    if (bytes_.empty()) return std::nullopt;
    return bytes_.front().due;
}

void PacedQueue::Clear() { bytes_.clear(); }

}  // namespace tb::sim
