// A serial port opened by its COM number for the model-890 cable: exclusive,
// 2400 baud 8N1 without flow control, with the cable's time-outs. Closing
// happens when the object goes away, so every path closes the port.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "platform/ScopedSwap.h"

namespace tb::client {

struct SerialTimeouts {
    uint32_t readIntervalMs = 2000;  // longest gap between two received bytes
    uint32_t readTotalMs = 500;      // longest whole read
    uint32_t writeTotalMs = 500;     // longest whole write
};

inline constexpr int kCableBaud = 2400;

class SerialPort {
  public:
    virtual ~SerialPort() = default;
    // Writes the bytes within the write time-out; the count written, -1 on error.
    virtual int Write(std::span<const uint8_t> bytes) = 0;
    // Reads until the buffer is full or a read time-out ends the read; the
    // count read, -1 on error.
    virtual int Read(std::span<uint8_t> buffer) = 0;
    // Discards what is queued in both directions.
    virtual void Purge() = 0;
};

using SerialPortOpener = std::function<std::unique_ptr<SerialPort>(int comNumber)>;

// Opens the device that the port layer's COM-number map gives for the
// number; nothing when there is none, it is in use, or it cannot be set up.
std::unique_ptr<SerialPort> OpenCableSerialPort(int comNumber);

// The opener in force: OpenCableSerialPort unless a test installed another.
std::unique_ptr<SerialPort> OpenSerialPort(int comNumber);

// The installed opener.
SerialPortOpener& InstalledSerialPortOpener();

// Installs another opener for the lifetime of the object (tests).
using ScopedSerialPortOpener = platform::ScopedSwap<&InstalledSerialPortOpener>;

}  // namespace tb::client
