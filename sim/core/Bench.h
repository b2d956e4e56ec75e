// The device bench: simulated devices on pseudo-terminals, one service
// thread for all of them, and the device-map file that points the port
// library at them.
//
// In a test:
//     tb::sim::Bench bench({.pacing = false});
//     auto& echo = bench.Emplace<tb::sim::EchoDevice>();
//     bench.UseTemporaryDeviceMap();   // writes the map, sets TRIMBENCH_DEVICE_MAP
//     ... open COM bench.ComNumberOf(echo) through the port library ...
// The map file is removed when the bench is destroyed.
#pragma once

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/core/Device.h"
#include "sim/core/DeviceMapWriter.h"
#include "sim/core/SimPort.h"

namespace tb::sim {

struct BenchOptions {
    bool pacing = true;      // pace bytes at each device's baud rate
    int firstComNumber = 1;  // numbers are handed out upwards from here
};

class Bench {
  public:
    explicit Bench(BenchOptions options = {});
    ~Bench();
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    // Serves the device on a new pty; comNumber 0 takes the next free
    // number. Throws std::invalid_argument for a number outside 1..256 or
    // one in use. The device map, once written, is rewritten.
    int Add(std::unique_ptr<Device> device, int comNumber = 0);

    template <class D, class... Args>
    D& Emplace(Args&&... args) {
        auto device = std::make_unique<D>(std::forward<Args>(args)...);
        D& ref = *device;
        Add(std::move(device));
        return ref;
    }

    // The port of a COM number or of a device; nullptr when unknown.
    SimPort* Port(int comNumber);
    SimPort* PortOf(const Device& device);
    int ComNumberOf(const Device& device);
    std::vector<int> ComNumbers() const;
    // Every device in COM-number order (e.g. for a family that attaches
    // its devices to another family's, found with dynamic_cast).
    std::vector<Device*> Devices();
    size_t DeviceCount() const;

    // Writes the map to `path` and keeps it current until destruction.
    void WriteDeviceMap(const std::string& path);
    // Writes the map in a fresh temporary folder and points
    // TRIMBENCH_DEVICE_MAP at it (call before starting other threads that
    // read the environment). Returns the path.
    std::string UseTemporaryDeviceMap();
    const std::string& DeviceMapPath() const { return map_.Path(); }

    // Takes every device's identity again and rewrites the device map; call
    // after changing a device's latch, ids or baud rate.
    void RefreshIdentities();

    void SetPacing(bool on);

    // Pulls the device on a COM number out, as a pulled USB cable does: its
    // pty closes (a client's reads and writes fail) and it leaves the device
    // map. The device keeps its state. False when nothing is plugged there.
    bool Unplug(int comNumber);
    // Plugs an unplugged device in again under the same COM number, on a
    // new pty. False when no device is unplugged from that number.
    bool Replug(int comNumber);
    // Pulls the device out when it starts its next reply (the reply is lost).
    bool UnplugOnNextReply(int comNumber);
    // The COM numbers of the unplugged devices.
    std::vector<int> UnpluggedComNumbers() const;

    // Whether every port is settled (SimPort::Settled).
    bool Settled() const;
    // Waits, for as long as the bench is working, until every byte a client
    // wrote before the call has been taken in and every port is settled: no
    // real-time limit, so a slow machine delays a reply but never loses it.
    // Returns at once when the service thread has stopped.
    void WaitUntilIdle() const;

    // Held while device callbacks run; take it to read or change a
    // device's state from another thread.
    std::unique_lock<std::recursive_mutex> LockState() const;

    // Every device: COM number, path, identity, faults, busy flag and the
    // device's own state lines.
    std::string Dump() const;

  private:
    void Run();
    void Wake() const;
    void RewriteMap();
    int FreeNumber() const;
    void RemovePulledPorts();
    void InsertPort(std::unique_ptr<SimPort> port);

    BenchOptions options_;
    SimClock::time_point started_ = SimClock::now();
    mutable std::recursive_mutex state_;
    std::vector<std::unique_ptr<SimPort>> ports_;
    std::map<int, std::unique_ptr<Device>> unplugged_;
    DeviceMapFile map_;
    int wakeFd_ = -1;
    std::atomic<bool> running_{true};
    // Completed service passes, for a wait on the service thread.
    mutable std::mutex passMutex_;
    mutable std::condition_variable passDone_;
    uint64_t passes_ = 0;
    std::thread thread_;
};

}  // namespace tb::sim
