// A simulated model-870 or model-875 logger on the bench: its own pty with
// the model's USB identity, latch bit 3 set, a 19200-baud line.
#pragma once

#include <optional>

#include "sim/core/Device.h"
#include "sim/lgr87x/Lgr87xLogger.h"
#include "sim/lgr87x/Lgr87xWire.h"

namespace tb::sim {

inline constexpr int kLgr87xBaud = 19200;
inline constexpr uint8_t kLgr87xLatch = 0x08;

struct Lgr87xOptions {
    Lgr87xModel model = Lgr87xModel::k870;
    uint32_t serial = 0;             // 0: a default per model
    std::optional<uint16_t> vendor;  // default: the device-id settings
    std::optional<uint16_t> product;
    uint8_t latch = kLgr87xLatch;
    size_t records = 0;  // recorded data to start with
};

// Options of a logger of the model with the default identity.
inline Lgr87xOptions Lgr87xDefaults(Lgr87xModel model, size_t records = 0) {
    Lgr87xOptions options;
    options.model = model;
    options.records = records;
    return options;
}

class Lgr87xDevice : public Device {
  public:
    explicit Lgr87xDevice(const Lgr87xOptions& options);

    Lgr87xLogger& Logger() { return logger_; }
    const Lgr87xLogger& Logger() const { return logger_; }

    std::string Name() const override;
    DeviceIdentity Identity() const override { return identity_; }
    void OnReceived(std::span<const uint8_t> bytes, DeviceLink& link) override;
    std::string DumpState() const override { return logger_.DumpState(); }

  private:
    Lgr87xLogger logger_;
    DeviceIdentity identity_;
    Lgr87xFrameCutter cutter_;
};

}  // namespace tb::sim
