// One client connection of the LAN base unit: the login dialogue, then the
// device's exchange, with the unit's replies queued until they are due.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "sim/core/Device.h"
#include "sim/lan/LoginLine.h"

namespace tb::sim::lan {

class LanBaseUnit;

using SimClock = std::chrono::steady_clock;

class LanSession : public DeviceLink {
  public:
    // Takes the connected socket; queues the prompt unless the unit withholds it.
    LanSession(int socket, LanBaseUnit& unit);
    ~LanSession() override;
    LanSession(const LanSession&) = delete;
    LanSession& operator=(const LanSession&) = delete;

    int Socket() const { return socket_; }
    bool Finished() const { return finished_; }

    // What the unit's thread calls, with the state lock held.
    void OnReadable();
    void OnTime(SimClock::time_point now);
    std::optional<SimClock::time_point> NextDue() const;

    // DeviceLink
    void Send(std::span<const uint8_t> reply) override;
    void SendUnfaulted(std::span<const uint8_t> bytes) override;
    void StartTimer(int ms) override;
    void StopTimer() override;
    FaultInjector& Faults() override;
    int ComNumber() const override { return 0; }

  private:
    enum class Phase { Login, Serving, Refused };
    struct Output {
        SimClock::time_point due;
        std::vector<uint8_t> bytes;
        bool hangUpAfter = false;
    };

    void OnBytes(std::span<const uint8_t> bytes);
    void OnLoginLine();
    void Queue(std::span<const uint8_t> bytes, int pauseMs, bool hangUpAfter = false);
    void QueueText(const char* text);
    void WriteDue(SimClock::time_point now);

    int socket_;
    LanBaseUnit& unit_;
    Phase phase_ = Phase::Login;
    LoginLine login_;
    std::deque<Output> output_;
    SimClock::time_point lastDue_;
    std::optional<SimClock::time_point> timer_;
    bool finished_ = false;
};

}  // namespace tb::sim::lan
