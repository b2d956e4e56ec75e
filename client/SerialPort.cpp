#include "client/SerialPort.h"

#include <string>

#include "platform/usbserial/ComPortMap.h"
#include "platform/usbserial/PacedTransfer.h"
#include "platform/usbserial/SerialLine.h"

namespace tb::client {
namespace {

// The cable's line, read and written on the process clock.
class CableLine final : public SerialPort {
  public:
    CableLine(int fd, SerialTimeouts timeouts) : fd_(fd), timeouts_(timeouts) {}
    ~CableLine() override { usbserial::CloseLine(fd_); }
    CableLine(const CableLine&) = delete;
    CableLine& operator=(const CableLine&) = delete;

    int Write(std::span<const uint8_t> bytes) override {
        return usbserial::WritePaced(fd_, bytes, {.totalMs = timeouts_.writeTotalMs});
    }
    int Read(std::span<uint8_t> buffer) override {
        return usbserial::ReadPaced(
            fd_, buffer, {.totalMs = timeouts_.readTotalMs, .gapMs = timeouts_.readIntervalMs});
    }
    void Purge() override {
        usbserial::DiscardBuffer(fd_, usbserial::kDiscardInput);
        usbserial::DiscardBuffer(fd_, usbserial::kDiscardOutput);
    }

  private:
    int fd_;
    SerialTimeouts timeouts_;
};

}  // namespace

SerialPortOpener& InstalledSerialPortOpener() {
    static SerialPortOpener opener = OpenCableSerialPort;
    return opener;
}

std::unique_ptr<SerialPort> OpenCableSerialPort(int comNumber) {
    const auto path = usbserial::ComPortPath(comNumber);
    if (!path) return nullptr;
    // Exclusive, with DTR and RTS off. The kernel's tty queues are larger
    // than the cable's 1024-byte queues; there is nothing to size.
    const auto line = usbserial::OpenLine(*path, kCableBaud, {.modemLinesOff = true});
    if (line.status != usbserial::OpenStatus::Opened) return nullptr;
    auto port = std::make_unique<CableLine>(line.fd, SerialTimeouts{});
    port->Purge();
    return port;
}

std::unique_ptr<SerialPort> OpenSerialPort(int comNumber) {
    return InstalledSerialPortOpener()(comNumber);
}

}  // namespace tb::client
