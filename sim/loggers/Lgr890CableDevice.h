// The model-890 logger on its USB serial cable, at 2400 baud. It sleeps
// until a wake byte (0x00) arrives and falls asleep again after a second
// without traffic. Awake, it answers 11-byte start-of-header packets:
// "V" writes one of the adjustment bytes 0 to 3 (acknowledged with an
// answer packet), "Y" sends the whole block back in a 71-byte reply
// (header, 64 block bytes, 16-bit sum).
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/core/Device.h"
#include "sim/loggers/LoggerFaults.h"
#include "sim/loggers/SimulatedLogger.h"

namespace tb::sim::loggers {

inline constexpr int kCableBaud = 2400;
inline constexpr int kCableSleepAfterMs = 1000;
// A packet's bytes follow each other without a pause; after this long
// without a byte, a packet that stopped half-way is dropped.
inline constexpr std::chrono::milliseconds kCablePacketGap{200};

class Lgr890CableDevice : public Device {
  public:
    Lgr890CableDevice();

    std::string Name() const override { return "LGR-890 cable"; }
    DeviceIdentity Identity() const override;
    void OnReceived(std::span<const uint8_t> bytes, DeviceLink& link) override;
    // A second without traffic: the cable sleeps and forgets a packet that
    // stopped half-way (other traffic on its line, a cut-off request), so
    // the next wake byte is taken as a wake byte.
    void OnTimer(DeviceLink&) override {
        awake_ = false;
        packet_.clear();
    }
    std::string DumpState() const override;

    const Block64& Adjustment() const { return adjustment_; }
    void SetAdjustment(const Block64& block) { adjustment_ = block; }
    void Reset();
    LoggerFaults& Faults() { return faults_; }
    bool Awake() const { return awake_; }

    // What the cable has seen, in order: "wake", "V<address>=<value>", "Y",
    // "ignored <letter>" (a packet while asleep), "bad packet".
    const std::vector<std::string>& Events() const { return events_; }
    void ClearEvents() { events_.clear(); }

  private:
    void HandlePacket(DeviceLink& link);
    void AnswerWrite(uint16_t address, uint16_t value, DeviceLink& link);
    void AnswerRead(DeviceLink& link);
    uint8_t AnswerCode();

    Block64 adjustment_{};
    LoggerFaults faults_;
    bool awake_ = false;
    std::vector<uint8_t> packet_;
    std::chrono::steady_clock::time_point lastByte_{};
    std::vector<std::string> events_;
};

}  // namespace tb::sim::loggers
