// The system port library with one change: a reply wait that runs out while
// the simulated bench still has bytes under way (a request it has not read,
// a reply it has not sent) goes on until the bench has settled. A machine
// busy with other work can keep the bench's thread waiting longer than a
// command's wait, and that delay must not look like a device that failed to
// answer. A device that stays silent leaves the bench settled, so the wait
// then runs out as it would on the line.
#pragma once

#include <cstdint>

#include "sim/core/Bench.h"
#include "tests/support/ForwardingPortLayer.h"

namespace tb::testsupport {

class BenchWaitPortLayer final : public ForwardingPortLayer {
  public:
    explicit BenchWaitPortLayer(const sim::Bench& bench) : bench_(bench) {}

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

  private:
    static constexpr int kSliceMs = 20;
    const sim::Bench& bench_;
};

}  // namespace tb::testsupport
