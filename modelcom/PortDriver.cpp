#include "modelcom/PortDriver.h"

#include <atomic>

#include "platform/usbserial/Vk800UsbSerialEx.h"

namespace tb::modelcom {
namespace {

inline constexpr int kPortBufferSize = 16384;

class UsbSerialPortDriver : public PortDriver {
  public:
    int CheckPort(const char* vidPid, uint8_t ports[256]) override {
        return Vk800UsbSerialEx_CheckPort(vidPid, ports);
    }
    int Open(int port, int baud, uint32_t* handle) override {
        return Vk800UsbSerialEx_OpenComm(port, kPortBufferSize, kPortBufferSize, baud, handle);
    }
    int Write(uint32_t handle, const uint8_t* data, int count) override {
        return Vk800UsbSerialEx_WriteComm(handle, data, count);
    }
    int ReadWait(uint32_t handle, int waitMs, uint8_t* buffer, int count, int interval) override {
        return Vk800UsbSerialEx_ReadCommWait(handle, waitMs, buffer, count, interval);
    }
    int Flush(uint32_t handle, int selector) override {
        return Vk800UsbSerialEx_FlushComm(handle, selector);
    }
    void Close(uint32_t handle) override { Vk800UsbSerialEx_CloseComm(handle); }
};

std::atomic<PortDriver*>& InstalledDriver() {
    static std::atomic<PortDriver*> driver{nullptr};
    return driver;
}

}  // namespace

PortDriver& CurrentPortDriver() {
    static UsbSerialPortDriver usbSerial;
    PortDriver* installed = InstalledDriver().load();
    return installed ? *installed : usbSerial;
}

ScopedPortDriver::ScopedPortDriver(PortDriver& driver) : previous_(InstalledDriver().load()) {
    InstalledDriver().store(&driver);
}

ScopedPortDriver::~ScopedPortDriver() { InstalledDriver().store(previous_); }

}  // namespace tb::modelcom
