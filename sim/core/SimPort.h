// One simulated device on its pty: the paced line in both directions, the
// device's faults and timer.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include "sim/core/Device.h"
#include "sim/core/PacedQueue.h"
#include "sim/core/PtyPort.h"

namespace tb::sim {

class SimPort final : public DeviceLink {
  public:
    // `wake` tells the service loop that there is new work (a reply or a
    // timer started from another thread).
    SimPort(int comNumber, std::unique_ptr<Device> device, bool paced, std::function<void()> wake);

    Device& GetDevice() { return *device_; }
    const Device& GetDevice() const { return *device_; }
    const std::string& Path() const { return pty_.SlavePath(); }
    DeviceIdentity Identity() const { return identity_; }
    void SetPaced(bool paced);
    // Takes the device's identity again (after its latch or baud changed).
    void RefreshIdentity();
    bool SetBusy(bool busy) { return pty_.SetBusy(busy); }
    bool Busy() const { return pty_.Busy(); }

    // DeviceLink
    void Send(std::span<const uint8_t> reply) override;
    void SendUnfaulted(std::span<const uint8_t> bytes) override;
    void StartTimer(int ms) override;
    void StopTimer() override { timer_.reset(); }
    FaultInjector& Faults() override { return faults_; }
    const FaultInjector& Faults() const { return faults_; }
    int ComNumber() const override { return comNumber_; }

    // Service-thread side.
    int PollFd() const { return pty_.MasterFd(); }
    // False while the bytes on their way in fill the emulated line's
    // buffer: the client's writes then wait in the pty, as they would wait
    // for a real line.
    bool WantsRead() const;
    bool WantsWrite(SimClock::time_point now) const;
    void Service(SimClock::time_point now);
    // The next moment Service() has work to do; bytes already due for the
    // client are left out (the service loop waits for room to write them).
    std::optional<SimClock::time_point> NextEvent(SimClock::time_point now) const;

    // Pulls the device out as it starts its next reply: the reply is lost
    // and the bench then closes the pty (a cable pulled mid-exchange).
    void PullOnNextReply() { PullAtReply(1); }
    // The same at the device's nth reply from now (e.g. in the middle of a
    // write that takes several exchanges); 0 disarms.
    void PullAtReply(int nth) { repliesBeforePull_ = std::max(nth, 0); }
    bool PullArmed() const { return repliesBeforePull_ > 0; }
    // Disarms the line's faults and a pull that has not happened yet: a
    // pull left armed would take the device out in some later exchange.
    void ClearFaults() {
        faults_.Clear();
        repliesBeforePull_ = 0;
    }
    bool Pulled() const { return pulled_; }
    // Nothing on its way: no request bytes unread or undelivered, no reply
    // bytes unsent (a device's own timer, such as a cable falling asleep,
    // does not count). A test on virtual time lets the
    // bench's thread catch up while some port is not settled.
    bool Settled() const;
    // Takes in what the client has written so far, as the service thread
    // would: a read on the line also waits for bytes the kernel is still
    // handing over, which the count of unread bytes does not show yet.
    // Call with the bench's state lock held.
    void TakeInput() { ReadFromClient(SimClock::now()); }
    // Hands the device over (to keep it while unplugged); the port is
    // unusable afterwards.
    std::unique_ptr<Device> TakeDevice() { return std::move(device_); }

    // Bytes received and sent so far (for dumps and tests).
    uint64_t BytesIn() const { return bytesIn_; }
    uint64_t BytesOut() const { return bytesOut_; }
    // When the line carried its first and its last byte (either way): the
    // port's activity, to see which devices were busy at the same time.
    struct Activity {
        SimClock::time_point first;
        SimClock::time_point last;
    };
    std::optional<Activity> LineActivity() const { return activity_; }
    // What the device last threw from a callback, if anything.
    const std::string& LastError() const { return lastError_; }

  private:
    void ReadFromClient(SimClock::time_point now);
    void DeliverDue(SimClock::time_point now);
    void WriteDue(SimClock::time_point now);
    template <class F>
    void CallDevice(F call);

    int comNumber_;
    std::unique_ptr<Device> device_;
    DeviceIdentity identity_;
    PtyPort pty_;
    PacedQueue incoming_;
    PacedQueue outgoing_;
    FaultInjector faults_;
    std::optional<SimClock::time_point> timer_;
    std::function<void()> wake_;
    int repliesBeforePull_ = 0;
    bool pulled_ = false;
    void NoteActivity(SimClock::time_point now);

    std::optional<Activity> activity_;
    uint64_t bytesIn_ = 0;
    uint64_t bytesOut_ = 0;
    std::string lastError_;
};

}  // namespace tb::sim
