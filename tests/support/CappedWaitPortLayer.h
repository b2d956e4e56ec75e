// The system port library with one change: a reply wait longer than a cap
// is cut to the cap. A reply that comes at all comes within the cap (the
// simulator answers at once), so outcomes stay the same, while a device that
// stays silent costs the cap instead of the full wait, e.g. the ten seconds
// a calibration write may wait for its answer.
#pragma once

#include <algorithm>
#include <cstdint>

#include "tests/support/ForwardingPortLayer.h"

namespace tb::testsupport {

class CappedWaitPortLayer final : public ForwardingPortLayer {
  public:
    explicit CappedWaitPortLayer(int capMs) : capMs_(capMs) {}

    int ReadCommWait(uint32_t handle, int waitMs, uint8_t* buffer, int count,
                     int interval) override {
        return system_.ReadCommWait(handle, std::min(waitMs, capMs_), buffer, count, interval);
    }

  private:
    int capMs_;
};

}  // namespace tb::testsupport
