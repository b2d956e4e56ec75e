#include "platform/usbserial/PacedTransfer.h"

#include "platform/Clock.h"
#include "platform/usbserial/LineIdle.h"
#include "platform/usbserial/SerialLine.h"

namespace tb::usbserial {
namespace {

// Each empty turn of a wait watches the line for up to this long and then
// lets the clock move on by the same amount, so that a virtual clock runs
// at about the pace of the real one while a device answers.
constexpr int kIdleSliceMs = 1;

void IdleTurn(int fd, LineDirection direction) {
    WaitForLine(fd, direction, kIdleSliceMs);
    platform::SleepMs(kIdleSliceMs);
}

// Runs `step` (the count it moved now, or -1 on a port error) until `count`
// bytes have moved or `over(moved)` ends the wait, with an idle turn after
// each empty step; the count moved, or -1.
template <typename Step, typename Over>
int MoveBytes(int fd, LineDirection direction, std::size_t count, Step step, Over over) {
    std::size_t moved = 0;
    while (moved < count) {
        const int n = step(moved);
        if (n < 0) return -1;
        moved += static_cast<std::size_t>(n);
        if (n > 0) continue;
        if (over(moved)) break;
        IdleTurn(fd, direction);
    }
    return static_cast<int>(moved);
}

}  // namespace

int ReadPaced(int fd, std::span<uint8_t> buffer, PacedLimits limits) {
    const uint32_t start = platform::TickMs();
    uint32_t lastByte = start;
    auto step = [&](std::size_t got) {
        const int n = ReadAvailable(fd, buffer.data() + got, buffer.size() - got);
        if (n > 0) lastByte = platform::TickMs();
        return n;
    };
    auto over = [&](std::size_t got) {
        return platform::ElapsedSince(start) >= limits.totalMs ||
               (limits.gapMs > 0 && got > 0 && platform::ElapsedSince(lastByte) >= limits.gapMs);
    };
    return MoveBytes(fd, LineDirection::Receive, buffer.size(), step, over);
}

int WritePaced(int fd, std::span<const uint8_t> bytes, PacedLimits limits) {
    const uint32_t start = platform::TickMs();
    auto step = [&](std::size_t sent) {
        return WriteAvailable(fd, bytes.data() + sent, bytes.size() - sent);
    };
    auto over = [&](std::size_t) { return platform::ElapsedSince(start) >= limits.totalMs; };
    return MoveBytes(fd, LineDirection::Send, bytes.size(), step, over);
}

}  // namespace tb::usbserial
