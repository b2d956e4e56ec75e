// A port layer that passes every call to the system port library; a test's
// port layer derives from it and overrides only the calls it changes.
#pragma once

#include <cstdint>

#include "link/usbserial/PortLayer.h"

namespace tb::testsupport {

class ForwardingPortLayer : public link::PortLayer {
  public:
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
        return system_.ReadCommWait(handle, waitMs, buffer, count, interval);
    }
    int FlushComm(uint32_t handle, int selector) override {
        return system_.FlushComm(handle, selector);
    }
    void CloseComm(uint32_t handle) override { system_.CloseComm(handle); }

  protected:
    link::PortLayer& system_ = link::SystemPortLayer();
};

}  // namespace tb::testsupport
