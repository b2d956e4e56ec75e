// The system port library with one change: a reply wait that runs out while
// the simulated bench still has bytes under way (a request it has not read,
// a reply it has not sent) goes on until the bench has settled. A machine
// busy with other work can keep the bench's thread waiting longer than a
// command's wait, and that delay must not look like a device that failed to
// answer. A device that stays silent leaves the bench settled, so the wait
// then runs out as it would on the line.
#pragma once

#include <cstdint>

#include "link/usbserial/PortLayer.h"
#include "sim/core/Bench.h"

namespace tb::testsupport {

class BenchWaitPortLayer final : public link::PortLayer {
  public:
    explicit BenchWaitPortLayer(const sim::Bench& bench) : bench_(bench) {}

    int CheckPort(const char* vidPid, uint8_t ports[256]) override {
        return system_.CheckPort(vidPid, ports);
    }
    int OpenComm(int port, int rxSize, int txSize, int baud, uint32_t* handle) override {
        return system_.OpenComm(port, rxSize, txSize, baud, handle);
    }
    int WriteComm(uint32_t handle, const uint8_t* data, int count) override {
        return system_.WriteComm(handle, data, count);
    }
    int ReadComm(uint32_t handle, uint8_t* buffer, int count) override {
        return system_.ReadComm(handle, buffer, count);
    }
    int ReadCommWait(uint32_t handle, int waitMs, uint8_t* buffer, int count,
                     int interval) override {
        int got = system_.ReadCommWait(handle, waitMs, buffer, count, interval);
        while (got >= 0 && got < count) {
            // Bytes the bench has just written may still be crossing the
            // pseudo-terminal: one more slice takes them in.
            const bool settled = bench_.Settled();
            const int more =
                system_.ReadCommWait(handle, kSliceMs, buffer + got, count - got, interval);
            if (more < 0) return more;
            got += more;
            if (settled) break;
        }
        return got;
    }
    int FlushComm(uint32_t handle, int selector) override {
        return system_.FlushComm(handle, selector);
    }
    void CloseComm(uint32_t handle) override { system_.CloseComm(handle); }

  private:
    static constexpr int kSliceMs = 20;
    link::PortLayer& system_ = link::SystemPortLayer();
    const sim::Bench& bench_;
};

}  // namespace tb::testsupport
