#include <atomic>

#include "link/usbserial/PortLayer.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"

namespace tb::link {
namespace {

class LibraryPortLayer final : public PortLayer {
  public:
    int CheckPort(const char* vidPid, uint8_t ports[256]) override {
        return Vk800UsbSerialEx_CheckPort(vidPid, ports);
    }
    int OpenComm(int port, int rxSize, int txSize, int baud, uint32_t* handle) override {
        return Vk800UsbSerialEx_OpenComm(port, rxSize, txSize, baud, handle);
    }
    int WriteComm(uint32_t handle, const uint8_t* data, int count) override {
        return Vk800UsbSerialEx_WriteComm(handle, data, count);
    }
    int ReadComm(uint32_t handle, uint8_t* buffer, int count) override {
        return Vk800UsbSerialEx_ReadComm(handle, buffer, count);
    }
    int ReadCommWait(uint32_t handle, int waitMs, uint8_t* buffer, int count,
                     int interval) override {
        return Vk800UsbSerialEx_ReadCommWait(handle, waitMs, buffer, count, interval);
    }
    int FlushComm(uint32_t handle, int selector) override {
        return Vk800UsbSerialEx_FlushComm(handle, selector);
    }
    void CloseComm(uint32_t handle) override { Vk800UsbSerialEx_CloseComm(handle); }
};

}  // namespace

std::atomic<PortLayer*>& InstalledPortLayer() {
    static std::atomic<PortLayer*> layer{nullptr};
    return layer;
}

PortLayer& SystemPortLayer() {
    static LibraryPortLayer layer;
    return layer;
}

PortLayer& CurrentPortLayer() {
    PortLayer* installed = InstalledPortLayer().load();
    return installed ? *installed : SystemPortLayer();
}

}  // namespace tb::link
