// The one interface to the USB serial port library, used by the link library
// and the model libraries alike, so that tests can put a scripted port or a
// simulated logger in its place.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/ScopedSwap.h"

namespace tb::link {

class PortLayer {
  public:
    virtual ~PortLayer() = default;
    // 0 when a device answers to vidPid ("vvvv-pppp"); then ports[i] != 0 for COM port i + 1.
    virtual int CheckPort(const char* vidPid, uint8_t ports[256]) = 0;
    // 0 and *handle on success; -7 busy; -4 cannot open; other negatives: failure.
    virtual int OpenComm(int port, int rxSize, int txSize, int baud, uint32_t* handle) = 0;
    // Count written, or -6.
    virtual int WriteComm(uint32_t handle, const uint8_t* data, int count) = 0;
    // Returns at once with 0..count bytes, or -5.
    virtual int ReadComm(uint32_t handle, uint8_t* buffer, int count) = 0;
    // Waits up to waitMs (looking every interval ms) for count bytes; returns
    // the bytes received (fewer when the wait ran out) or a negative value.
    virtual int ReadCommWait(uint32_t handle, int waitMs, uint8_t* buffer, int count,
                             int interval) = 0;
    // 1 on success, 0 on failure.
    virtual int FlushComm(uint32_t handle, int selector) = 0;
    virtual void CloseComm(uint32_t handle) = 0;
};

// The port library the programs are linked against.
PortLayer& SystemPortLayer();

// The port layer in force for the model libraries: the system one unless a
// test installed another.
PortLayer& CurrentPortLayer();

// The installed port layer (nullptr: the system one).
std::atomic<PortLayer*>& InstalledPortLayer();

// Installs a port layer as the one in force for the lifetime of the object (tests).
using ScopedPortLayer = platform::ScopedSwap<&InstalledPortLayer>;

}  // namespace tb::link
