// COM port numbers (1 to 256) and the devices behind them.
//
// Numbering, rebuilt on every Load() so it never goes stale:
//  1. Simulated devices keep the numbers of the device-map file
//     (TRIMBENCH_DEVICE_MAP, see DeviceMap.h).
//  2. A real USB serial device takes the number its kernel name suggests:
//     ttyUSB<n> is COM n+1, ttyACM<n> is COM 129+n. A device node that the
//     device map already lists is not numbered twice.
//  3. A real device whose suggested number is taken (or that has none) gets
//     the lowest free number, in order of kernel names.
// So a device keeps its number as long as the set of attached devices and
// the device map stay the same.
//
// This is the port layer's own numbering; the program's serial path and the
// reserved-port list ("comDB") use it too.
//
// TRIMBENCH_PORTS confines a process to some ports: a comma-separated list
// of COM numbers ("5" or "3,7"). The other ports are then neither listed
// nor opened, so a discovery scan in that process never touches a device
// another process is talking to (the batch command's workers run so).
// Unset or empty: every port.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/usbserial/DeviceMap.h"
#include "platform/usbserial/UsbSerialDevices.h"

namespace tb::usbserial {

inline constexpr const char* kConfinedPortsVariable = "TRIMBENCH_PORTS";

// Whether this process may use the COM number (see TRIMBENCH_PORTS). A
// malformed list confines the process to no port at all.
bool PortAllowed(int number);

struct ComPort {
    int number = 0;
    std::string path;
    UsbId id;
    bool simulated = false;
    uint8_t latch = 0;  // simulated devices only
};

// Bit i of byte i/8 is set when COM i+1 is assigned.
using ComDb = std::array<uint8_t, 32>;

class ComPortMap {
  public:
    // The device map of the environment plus the attached USB devices.
    static ComPortMap Load();
    static ComPortMap Build(const DeviceMap& map, const std::vector<UsbSerialDevice>& usb);

    const ComPort* Find(int number) const;
    const std::vector<ComPort>& Ports() const { return ports_; }  // by number
    ComDb Assigned() const;

  private:
    std::vector<ComPort> ports_;
};

// The device to open for a COM number: nothing when the number is not
// assigned or its device is not a terminal device here and now (see
// IsSerialDevice), so a caller never opens anything else.
std::optional<std::string> ComPortPath(int number);

// The assigned numbers of a fresh Load().
ComDb AssignedComPorts();

// True when the path names an existing terminal device: a pty slave or a
// character device of the kernel's tty class (on Windows: a COM port name
// "\\.\COMn" that the system knows). The device map is untrusted, so
// nothing else is ever opened as a port (opening some devices has side
// effects of its own).
bool IsSerialDevice(const std::string& path);

// The device through which a port of the device map is opened: its path
// here; on Windows the COM port of its number ("\\.\COMn"), which the
// system maps to that path (under Wine: the prefix's dosdevices link).
std::string PortDevicePath(const DeviceMapEntry& entry);

// SerialDevices.cpp and SerialDevices_win.cpp hold the two functions above.

}  // namespace tb::usbserial
