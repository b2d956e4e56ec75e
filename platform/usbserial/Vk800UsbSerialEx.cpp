// The exports of the USB serial port library (behaviour: Vk800UsbSerialEx.h).
#include "platform/usbserial/Vk800UsbSerialEx.h"

#include <algorithm>
#include <exception>

#include "platform/usbserial/ComPortMap.h"
#include "platform/usbserial/OpenPorts.h"
#include "platform/usbserial/PortResults.h"
#include "platform/usbserial/SerialLine.h"

namespace {

using namespace tb::usbserial;

// The time allowed for a write: the bytes' time on the line at 10 bits per
// byte, plus a second.
int WriteTimeoutMs(size_t count, int baud) {
    long long lineMs = baud > 0 ? static_cast<long long>(count) * 10000 / baud : 0;
    return static_cast<int>(std::min<long long>(lineMs + 1000, 60000));
}

int CheckPort(const char* vidPid, uint8_t* ports) {
    if (vidPid == nullptr || ports == nullptr) return kPortBadArgument;
    auto id = ParseUsbId(vidPid);
    if (!id) return kPortBadArgument;
    int found = 0;
    const ComPortMap map = ComPortMap::Load();
    for (const auto& port : map.Ports()) {
        if (port.id == *id && IsSerialDevice(port.path)) {
            ports[port.number - kFirstComNumber] = 1;
            ++found;
        }
    }
    return found > 0 ? 0 : kPortNone;
}

int OpenComm(int number, int baud, uint32_t* handle) {
    if (handle == nullptr) return kPortCannotOpen;
    auto path = ComPortPath(number);
    if (!path) return kPortCannotOpen;
    OpenedLine line = OpenLine(*path, baud);
    if (line.status == OpenStatus::Busy) return kPortBusy;
    if (line.status != OpenStatus::Opened) return kPortCannotOpen;
    OpenPorts::Instance().Add({line.fd, baud});
    *handle = static_cast<uint32_t>(line.fd);
    return 0;
}

int WriteComm(uint32_t handle, const uint8_t* data, int count) {
    auto port = OpenPorts::Instance().Find(handle);
    if (!port || data == nullptr || count < 0) return kPortWriteFailed;
    if (count == 0) return 0;
    int written = WriteAll(port->fd, data, static_cast<size_t>(count),
                           WriteTimeoutMs(static_cast<size_t>(count), port->baud));
    return written < 0 ? kPortWriteFailed : written;
}

int ReadComm(uint32_t handle, uint8_t* buffer, int count) {
    auto port = OpenPorts::Instance().Find(handle);
    if (!port || buffer == nullptr || count < 0) return kPortReadFailed;
    int n = ReadAvailable(port->fd, buffer, static_cast<size_t>(count));
    return n < 0 ? kPortReadFailed : n;
}

int ReadCommWait(uint32_t handle, int waitMs, uint8_t* buffer, int count, int interval) {
    auto port = OpenPorts::Instance().Find(handle);
    if (!port || buffer == nullptr || count < 0) return kPortReadFailed;
    int n = ReadWithin(port->fd, buffer, static_cast<size_t>(count), waitMs,
                       interval < 1 ? 1 : interval);
    return n < 0 ? kPortReadFailed : n;
}

int FlushComm(uint32_t handle, int selector) {
    auto port = OpenPorts::Instance().Find(handle);
    return port && DiscardBuffer(port->fd, selector) ? 1 : 0;
}

void CloseComm(uint32_t handle) {
    if (auto port = OpenPorts::Instance().Remove(handle)) CloseLine(port->fd);
}

// No exception crosses the library boundary.
template <class F>
auto Guarded(int onFailure, F body) noexcept {
    try {
        return body();
    } catch (...) {
        return onFailure;
    }
}

}  // namespace

extern "C" {

TB_EXPORT int Vk800UsbSerialEx_CheckPort(const char* vidPid, uint8_t ports[256]) {
    return Guarded(kPortNone, [&] { return CheckPort(vidPid, ports); });
}

TB_EXPORT int Vk800UsbSerialEx_OpenComm(int port, int, int, int baud, uint32_t* handle) {
    return Guarded(kPortCannotOpen, [&] { return OpenComm(port, baud, handle); });
}

TB_EXPORT int Vk800UsbSerialEx_WriteComm(uint32_t handle, const uint8_t* data, int count) {
    return Guarded(kPortWriteFailed, [&] { return WriteComm(handle, data, count); });
}

TB_EXPORT int Vk800UsbSerialEx_ReadComm(uint32_t handle, uint8_t* buffer, int count) {
    return Guarded(kPortReadFailed, [&] { return ReadComm(handle, buffer, count); });
}

TB_EXPORT int Vk800UsbSerialEx_ReadCommWait(uint32_t handle, int waitMs, uint8_t* buffer, int count,
                                            int interval) {
    return Guarded(kPortReadFailed,
                   [&] { return ReadCommWait(handle, waitMs, buffer, count, interval); });
}

TB_EXPORT int Vk800UsbSerialEx_FlushComm(uint32_t handle, int selector) {
    return Guarded(0, [&] { return FlushComm(handle, selector); });
}

TB_EXPORT void Vk800UsbSerialEx_CloseComm(uint32_t handle) {
    try {
        CloseComm(handle);
    } catch (...) {
    }
}

}  // extern "C"
