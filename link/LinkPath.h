// A transport behind the link exports. Every export finds the entry of its
// key in the management table and hands the work to the path that the
// entry's transport flag names: the USB path, or the LAN path.
#pragma once

#include <cstdint>

#include "link/MngTable.h"

namespace tb::link {

class LinkPath {
  public:
    virtual ~LinkPath() = default;
    // Sends one frame; 0 or a negative result code.
    virtual int Send(MngEntry& entry, const uint8_t* data, int length) = 0;
    // Receives one frame into entry.rcvData (capacity and time-out already set);
    // afterwards entry.result is 1 with entry.rcvLength set, or an error code.
    virtual void Receive(MngEntry& entry) = 0;
    // Time-out in seconds that a receive with time-out 0 gets.
    virtual int DefaultTimeoutSec() const = 0;
    virtual int ClearCommBuf(MngEntry& entry, int selector) = 0;
    virtual int Close(MngEntry& entry) = 0;
};

}  // namespace tb::link
