// A simulated USB base unit: a USB serial bridge with the base unit's product
// identity and latch byte, answering the serial query "RUINF:" with its
// serial number and passing every other kind-'2' command text to the logger
// behind it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sim/baseunit/LoggerBehindUnit.h"
#include "sim/baseunit/UnitFrames.h"
#include "sim/core/Device.h"

namespace tb::sim {

struct BaseUnitConfig {
    uint32_t serial = 0x00012345;
    uint16_t vendor = 0;   // 0: the primary vendor id
    uint16_t product = 0;  // 0: product P1
    uint8_t latch = 0x08;  // bit 3 set: a base unit
    int baud = 38400;
};

class BaseUnit final : public Device {
  public:
    // logger may be null: the unit then answers commands with a plain status reply.
    explicit BaseUnit(BaseUnitConfig config = {}, std::shared_ptr<LoggerBehindUnit> logger = {});

    uint32_t Serial() const { return config_.serial; }
    // Puts another logger behind the unit (under the bench's state lock).
    void AttachLogger(std::shared_ptr<LoggerBehindUnit> logger) { logger_ = std::move(logger); }
    LoggerBehindUnit* Logger() const { return logger_.get(); }
    // Counters, read under the bench's state lock.
    uint64_t SerialQueries() const { return serialQueries_; }
    uint64_t Commands() const { return commands_; }
    uint64_t BadChecks() const { return badChecks_; }

    std::string Name() const override;
    DeviceIdentity Identity() const override;
    void OnReceived(std::span<const uint8_t> bytes, DeviceLink& link) override;
    std::string DumpState() const override;

  private:
    void Answer(const UnitFrameReader::Frame& frame, DeviceLink& link);

    BaseUnitConfig config_;
    std::shared_ptr<LoggerBehindUnit> logger_;
    UnitFrameReader reader_;
    uint64_t serialQueries_ = 0;
    uint64_t commands_ = 0;
    uint64_t badChecks_ = 0;
};

// The text of the unit's answer to the serial query:
// "RUINF:STATUS=" 09 00 "RUINF0000" "SER=" 08 00 and the serial as %08X.
std::vector<uint8_t> SerialAnswerText(uint32_t serial);

}  // namespace tb::sim
