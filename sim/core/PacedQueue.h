// Bytes on an emulated serial line: each byte becomes due when its last bit
// would have crossed the wire (10 bits per byte at the line's baud rate).
// With pacing off every byte is due at once.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

namespace tb::sim {

using SimClock = std::chrono::steady_clock;

class PacedQueue {
  public:
    PacedQueue(int baud, bool paced) : baud_(baud), paced_(paced) {}

    void SetPaced(bool paced) { paced_ = paced; }
    void SetBaud(int baud) { baud_ = baud; }
    bool Paced() const { return paced_; }
    std::chrono::nanoseconds ByteTime() const;

    // Queues bytes whose first bit starts no earlier than `earliest` nor
    // before the line is free; returns when the last of them is due.
    SimClock::time_point Push(std::span<const uint8_t> bytes, SimClock::time_point earliest);

    // Copies the bytes due by `now` (at most `limit`) without removing them.
    std::vector<uint8_t> PeekDue(SimClock::time_point now, size_t limit) const;
    void Drop(size_t count);

    std::optional<SimClock::time_point> NextDue() const;
    bool Empty() const { return bytes_.empty(); }
    size_t Size() const { return bytes_.size(); }
    void Clear();

  private:
    struct Entry {
        SimClock::time_point due;
        uint8_t byte;
    };
    int baud_;
    bool paced_;
    SimClock::time_point lineFree_{};
    std::deque<Entry> bytes_;
};

}  // namespace tb::sim
