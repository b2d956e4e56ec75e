// The USB serial ports of this machine, found through SetupAPI: every
// present device of the ports class whose instance id names a USB vendor
// and product, with the COM port name the system gave it.
#include <windows.h>
// After windows.h:
#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/usbserial/UsbSerialDevices.h"

namespace tb::usbserial {
namespace {

bool ScanDisabled() {
    const char* value = std::getenv(kUsbScanVariable);
    return value != nullptr && std::strcmp(value, "0") == 0;
}

// "USB\VID_10C4&PID_EA60\0001": the vendor and product of the instance id.
std::optional<UsbId> IdOfInstance(const std::string& instance) {
    const size_t vid = instance.find("VID_");
    const size_t pid = instance.find("PID_");
    if (vid == std::string::npos || pid == std::string::npos) return std::nullopt;
    if (vid + 8 > instance.size() || pid + 8 > instance.size()) return std::nullopt;
    return ParseUsbId(instance.substr(vid + 4, 4) + "-" + instance.substr(pid + 4, 4));
}

std::optional<std::string> InstanceId(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    char id[512];
    if (!SetupDiGetDeviceInstanceIdA(devices, &device, id, sizeof id, nullptr)) return std::nullopt;
    return std::string(id);
}

// The "PortName" value of the device's key, e.g. "COM7".
std::optional<std::string> PortName(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) return std::nullopt;
    char name[64] = {};
    DWORD size = sizeof name - 1;
    DWORD type = 0;
    const LONG read =
        RegQueryValueExA(key, "PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    name[std::min<DWORD>(size, sizeof name - 1)] = '\0';
    return std::string(name);
}

}  // namespace

std::vector<UsbSerialDevice> FindUsbSerialDevices() {
    std::vector<UsbSerialDevice> found;
    if (ScanDisabled()) return found;
    HDEVINFO devices = SetupDiGetClassDevsA(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return found;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
        auto instance = InstanceId(devices, device);
        if (!instance || instance->rfind("USB\\", 0) != 0) continue;
        auto id = IdOfInstance(*instance);
        auto name = PortName(devices, device);
        if (!id || !name || name->rfind("COM", 0) != 0) continue;
        found.push_back({"\\\\.\\" + *name, *name, *id});
    }
    SetupDiDestroyDeviceInfoList(devices);
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.kernelName < b.kernelName; });
    return found;
}

}  // namespace tb::usbserial
