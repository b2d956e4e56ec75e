// What a simulated device family implements, and what the bench offers it.
//
// A device sees the bytes a client sends as they come off the emulated
// line, and answers through its DeviceLink. All device callbacks run on the
// bench's service thread with the bench's state lock held; code on other
// threads that touches a device's state takes Bench::LockState() first.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "sim/core/Faults.h"

namespace tb::sim {

struct DeviceIdentity {
    uint16_t vendor = 0;
    uint16_t product = 0;
    uint8_t latch = 0;  // the bridge's pin levels; bit 3 set on a base unit
    int baud = 38400;   // rate of the emulated line, for pacing
};

class DeviceLink {
  public:
    virtual ~DeviceLink() = default;
    // A reply: shaped by the armed faults, then paced onto the line.
    virtual void Send(std::span<const uint8_t> reply) = 0;
    // Bytes that bypass the fault injection (still paced).
    virtual void SendUnfaulted(std::span<const uint8_t> bytes) = 0;
    // One timer per device: OnTimer runs once, `ms` from now. Starting it
    // again moves it.
    virtual void StartTimer(int ms) = 0;
    virtual void StopTimer() = 0;
    virtual FaultInjector& Faults() = 0;
    virtual int ComNumber() const = 0;
};

class Device {
  public:
    virtual ~Device() = default;
    // A short human name, e.g. "base unit 1234ABCD".
    virtual std::string Name() const = 0;
    virtual DeviceIdentity Identity() const = 0;
    virtual void OnReceived(std::span<const uint8_t> bytes, DeviceLink& link) = 0;
    virtual void OnTimer(DeviceLink&) {}
    // The device's state as text lines ("key: value"), for dumps.
    virtual std::string DumpState() const = 0;
};

}  // namespace tb::sim
