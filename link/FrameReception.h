// Frame reception: cuts exactly one link frame out of a byte stream within
// the entry's time-out, for the USB and the LAN path alike.
#pragma once

#include <cstdint>
#include <functional>

#include "link/MngTable.h"
#include "link/diag/Diagnostics.h"

namespace tb::link {

struct ReceptionPort {
    // Reads up to count bytes without waiting: the count placed, or a negative error.
    std::function<int(uint8_t* buffer, int count)> readSome;
    // Pumps the thread's messages and sleeps ms milliseconds.
    std::function<void(uint32_t ms)> pause;
};

// Receives one frame into entry.rcvData (of entry.rcvCapacity + 1 bytes)
// within entry.rcvTimeoutSec seconds. Returns the frame length with
// entry.result = 1 and entry.rcvLength set, or -1 with entry.result set to
// the error code (-10, -26, -27 or -28).
int Sb_Data_Recv(MngEntry& entry, const ReceptionPort& port, diag::Diagnostics& diag);

}  // namespace tb::link
