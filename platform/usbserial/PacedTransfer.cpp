#include "platform/usbserial/PacedTransfer.h"

#include <poll.h>

#include "platform/Clock.h"
#include "platform/usbserial/SerialLine.h"

namespace tb::usbserial {
namespace {

// Each empty turn of a wait polls the line for up to this long and then
// lets the clock move on by the same amount, so that a virtual clock runs
// at about the pace of the real one while a device answers.
constexpr int kPollSliceMs = 1;

void IdleTurn(int fd, short events) {
    pollfd entry{fd, events, 0};
    ::poll(&entry, 1, kPollSliceMs);
    platform::SleepMs(kPollSliceMs);
}

}  // namespace

int ReadPaced(int fd, std::span<uint8_t> buffer, PacedLimits limits) {
    const uint32_t start = platform::TickMs();
    uint32_t lastByte = start;
    std::size_t received = 0;
    while (received < buffer.size()) {
        const int n = ReadAvailable(fd, buffer.data() + received, buffer.size() - received);
        if (n < 0) return -1;
        if (n > 0) {
            received += static_cast<std::size_t>(n);
            lastByte = platform::TickMs();
            continue;
        }
        if (platform::ElapsedSince(start) >= limits.totalMs) break;
        if (limits.gapMs > 0 && received > 0 && platform::ElapsedSince(lastByte) >= limits.gapMs)
            break;
        IdleTurn(fd, POLLIN);
    }
    return static_cast<int>(received);
}

int WritePaced(int fd, std::span<const uint8_t> bytes, PacedLimits limits) {
    const uint32_t start = platform::TickMs();
    std::size_t written = 0;
    while (written < bytes.size()) {
        const int n = WriteAvailable(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) return -1;
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (platform::ElapsedSince(start) >= limits.totalMs) break;
        IdleTurn(fd, POLLOUT);
    }
    return static_cast<int>(written);
}

}  // namespace tb::usbserial
