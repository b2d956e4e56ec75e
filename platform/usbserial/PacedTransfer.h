// Reads and writes on an open serial line (SerialLine.h) timed by the
// process clock (platform/Clock.h), so that a test runs their time-outs on
// virtual time. Used by the model-890 cable.
#pragma once

#include <cstdint>
#include <span>

namespace tb::usbserial {

struct PacedLimits {
    uint32_t totalMs = 0;  // longest whole read or write
    uint32_t gapMs = 0;    // longest gap between two received bytes (0: no limit)
};

// Reads until the buffer is full, the whole time-out has run out, or (once a
// byte has come) the gap time-out has; the count read, -1 on a port error.
int ReadPaced(int fd, std::span<uint8_t> buffer, PacedLimits limits);

// Writes until every byte is out or the whole time-out has run out; the
// count written, -1 on a port error.
int WritePaced(int fd, std::span<const uint8_t> bytes, PacedLimits limits);

}  // namespace tb::usbserial
