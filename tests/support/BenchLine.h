// Clears what a test armed on a simulated device's line.
#pragma once

#include "sim/core/Bench.h"
#include "sim/core/SimPort.h"

namespace tb::testsupport {

// Disarms the line's faults and its busy flag and plugs every pulled device
// in again, under the bench's lock, so that a pull armed for a reply still
// on its way cannot happen halfway: it is disarmed, or it has happened and
// the device is plugged in again.
inline void ClearLine(sim::Bench& bench, int com) {
    auto lock = bench.LockState();
    if (sim::SimPort* port = bench.Port(com)) {
        port->ClearFaults();
        port->SetBusy(false);
    }
    for (int unplugged : bench.UnpluggedComNumbers()) bench.Replug(unplugged);
}

}  // namespace tb::testsupport
