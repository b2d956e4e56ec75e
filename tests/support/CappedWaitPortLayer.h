// The system port library with one change: a reply wait longer than a cap
// is cut to the cap. A reply that comes at all comes within the cap (the
// simulator answers at once), so outcomes stay the same, while a device that
// stays silent costs the cap instead of the full wait, e.g. the ten seconds
// a calibration write may wait for its answer.
#pragma once

#include <algorithm>
#include <cstdint>

#include "link/usbserial/PortLayer.h"

namespace tb::testsupport {

class CappedWaitPortLayer final : public link::PortLayer {
  public:
    explicit CappedWaitPortLayer(int capMs) : capMs_(capMs) {}

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
        return system_.ReadCommWait(handle, std::min(waitMs, capMs_), buffer, count, interval);
    }
    int FlushComm(uint32_t handle, int selector) override {
        return system_.FlushComm(handle, selector);
    }
    void CloseComm(uint32_t handle) override { system_.CloseComm(handle); }

  private:
    link::PortLayer& system_ = link::SystemPortLayer();
    int capMs_;
};

}  // namespace tb::testsupport
