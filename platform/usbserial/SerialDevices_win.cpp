#include <windows.h>

#include <string_view>

#include "platform/usbserial/ComPortMap.h"

namespace tb::usbserial {
namespace {

constexpr std::string_view kComPrefix = "\\\\.\\COM";

// The n of "\\.\COMn" (1..256); 0 for any other text.
int ComNumberOf(std::string_view path) {
    if (path.size() <= kComPrefix.size() || path.size() > kComPrefix.size() + 3 ||
        path.substr(0, kComPrefix.size()) != kComPrefix)
        return 0;
    int value = 0;
    for (char c : path.substr(kComPrefix.size())) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return value >= kFirstComNumber && value <= kLastComNumber ? value : 0;
}

}  // namespace

std::string PortDevicePath(const DeviceMapEntry& entry) {
    return std::string(kComPrefix) + std::to_string(entry.comNumber);
}

bool IsSerialDevice(const std::string& path) {
    const int number = ComNumberOf(path);
    if (number == 0) return false;
    // The system's DOS device names: a COM port it does not know is no device.
    const std::string name = "COM" + std::to_string(number);
    char target[1024];
    return QueryDosDeviceA(name.c_str(), target, sizeof target) != 0;
}

}  // namespace tb::usbserial
