// The USB path: a base unit on a COM port of the USB serial port library.
#pragma once

#include <string>

#include "link/LinkPath.h"

namespace tb::link {

class LinkLibrary;

inline constexpr int kUsbDefaultTimeoutSec = 2;

class UsbPath final : public LinkPath {
  public:
    explicit UsbPath(LinkLibrary& link) : link_(link) {}

    // Opens the port on which serial was last found and marks entry as a USB link.
    int Open(MngEntry& entry, uint32_t serial);
    int Send(MngEntry& entry, const uint8_t* data, int length) override;
    void Receive(MngEntry& entry) override;
    int DefaultTimeoutSec() const override { return kUsbDefaultTimeoutSec; }
    int ClearCommBuf(MngEntry& entry, int selector) override;
    int Close(MngEntry& entry) override;

  private:
    LinkLibrary& link_;
};

// "%02x " for each of the first eight bytes, as the log lines show a frame.
std::string FirstBytesText(const uint8_t* data, int length);

}  // namespace tb::link
