// The port calls of the model libraries, behind an interface so that tests
// can put a scripted logger where the USB serial port library would be.
#pragma once

#include <cstdint>

namespace tb::modelcom {

class PortDriver {
  public:
    virtual ~PortDriver() = default;
    // 0 when a device with the identifier is attached; ports[i] != 0 for COM i+1.
    virtual int CheckPort(const char* vidPid, uint8_t ports[256]) = 0;
    // 0 and the handle; -7 busy; -4 cannot open; other negative values fail.
    virtual int Open(int port, int baud, uint32_t* handle) = 0;
    virtual int Write(uint32_t handle, const uint8_t* data, int count) = 0;
    // Bytes received (at most count; fewer when waitMs ran out) or negative.
    virtual int ReadWait(uint32_t handle, int waitMs, uint8_t* buffer, int count, int interval) = 0;
    // 1 on success.
    virtual int Flush(uint32_t handle, int selector) = 0;
    virtual void Close(uint32_t handle) = 0;
};

// The driver in force: the USB serial port library unless a test installed another.
PortDriver& CurrentPortDriver();

// Installs a driver for the lifetime of the object (tests).
class ScopedPortDriver {
  public:
    explicit ScopedPortDriver(PortDriver& driver);
    ~ScopedPortDriver();
    ScopedPortDriver(const ScopedPortDriver&) = delete;
    ScopedPortDriver& operator=(const ScopedPortDriver&) = delete;

  private:
    PortDriver* previous_;
};

}  // namespace tb::modelcom
