// The device-map file: the simulated serial devices that the port layer
// serves next to the real USB ones.
//
// The file is named by the environment variable TRIMBENCH_DEVICE_MAP and is
// read again on every use. It is plain text, one device per line:
//
//     <COM number> <device path> <vvvv-pppp> <latch>
//
//   COM number   decimal, 1 to 256
//   device path  absolute path without blanks, at most 255 bytes
//   vvvv-pppp    USB vendor and product id, four hexadecimal digits each
//   latch        the bridge's latch byte: decimal 0..255 or 0x00..0xff
//
// Fields are separated by spaces or tabs. Empty lines and lines whose first
// non-blank character is '#' are comments. Any other line that does not
// match the format is ignored (and counted), as is a second line for a COM
// number already listed: the first line wins. Only the first 64 KiB of the
// file are read; a line cut there is dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tb::usbserial {

inline constexpr int kFirstComNumber = 1;
inline constexpr int kLastComNumber = 256;
inline constexpr size_t kMaxDeviceMapBytes = 64 * 1024;
inline constexpr size_t kMaxDevicePathBytes = 255;
inline constexpr const char* kDeviceMapVariable = "TRIMBENCH_DEVICE_MAP";

struct UsbId {
    uint16_t vendor = 0;
    uint16_t product = 0;
    bool operator==(const UsbId&) const = default;
};

// "vvvv-pppp" (hexadecimal digits of either case); nothing for any other text.
std::optional<UsbId> ParseUsbId(std::string_view text);

struct DeviceMapEntry {
    int comNumber = 0;
    std::string path;
    UsbId id;
    uint8_t latch = 0;
};

struct DeviceMap {
    std::vector<DeviceMapEntry> entries;  // in file order, COM numbers unique
    int rejectedLines = 0;

    const DeviceMapEntry* Find(int comNumber) const;
};

// Text beyond the first 64 KiB is ignored, and so is a line cut there.
DeviceMap ParseDeviceMap(std::string_view text);

// A missing or unreadable file gives an empty map.
DeviceMap LoadDeviceMapFile(const std::string& path);

// The file named by TRIMBENCH_DEVICE_MAP; unset or empty: an empty map.
DeviceMap LoadDeviceMapFromEnvironment();

}  // namespace tb::usbserial
