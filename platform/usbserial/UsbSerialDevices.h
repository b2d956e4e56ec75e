// The USB serial devices attached to this machine, found through libudev.
#pragma once

#include <string>
#include <vector>

#include "platform/usbserial/DeviceMap.h"

namespace tb::usbserial {

// Setting this variable to "0" turns the search off (tests on machines that
// may have real devices attached use it).
inline constexpr const char* kUsbScanVariable = "TRIMBENCH_USB_SCAN";

struct UsbSerialDevice {
    std::string path;        // device node, e.g. /dev/ttyUSB0
    std::string kernelName;  // e.g. ttyUSB0
    UsbId id;
};

// Every tty whose parent is a USB device, sorted by kernel name.
std::vector<UsbSerialDevice> FindUsbSerialDevices();

}  // namespace tb::usbserial
