// A device that sends back every byte it receives (with an optional
// scripted reply instead), for tests of the bench itself and as a
// placeholder on an otherwise empty bench.
#pragma once

#include <deque>
#include <vector>

#include "sim/core/Device.h"

namespace tb::sim {

class EchoDevice : public Device {
  public:
    explicit EchoDevice(DeviceIdentity identity = {0xFFFF, 0x0001, 0x00, 38400})
        : identity_(identity) {}

    // The next receipt is answered with this reply instead of the echo.
    void QueueReply(std::vector<uint8_t> reply) { scripted_.push_back(std::move(reply)); }
    const std::vector<uint8_t>& Received() const { return received_; }
    void SetIdentity(DeviceIdentity identity) { identity_ = identity; }

    std::string Name() const override { return "echo device"; }
    DeviceIdentity Identity() const override { return identity_; }
    void OnReceived(std::span<const uint8_t> bytes, DeviceLink& link) override;
    std::string DumpState() const override;

  private:
    DeviceIdentity identity_;
    std::deque<std::vector<uint8_t>> scripted_;
    std::vector<uint8_t> received_;
};

}  // namespace tb::sim
