#include "platform/usbserial/UsbSerialDevices.h"

#include <dirent.h>
#include <libudev.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace tb::usbserial {
namespace {

constexpr const char* kTtyClass = "/sys/class/tty";

struct UdevDeleter {
    void operator()(udev* u) const { udev_unref(u); }
    void operator()(udev_device* d) const { udev_device_unref(d); }
    void operator()(DIR* d) const { closedir(d); }
};
template <class T>
using UdevPtr = std::unique_ptr<T, UdevDeleter>;

bool ScanDisabled() {
    const char* value = std::getenv(kUsbScanVariable);
    return value != nullptr && std::strcmp(value, "0") == 0;
}

std::optional<UsbId> IdOfUsbParent(udev_device* tty) {
    // The parent is owned by the child: no unref.
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(tty, "usb", "usb_device");
    if (usb == nullptr) return std::nullopt;
    const char* vendor = udev_device_get_sysattr_value(usb, "idVendor");
    const char* product = udev_device_get_sysattr_value(usb, "idProduct");
    if (vendor == nullptr || product == nullptr) return std::nullopt;
    std::string text = std::string(vendor) + "-" + product;
    return ParseUsbId(text);
}

// Virtual terminals and ptys have no "device" link; only ttys of real
// hardware are looked at (keeps the search quick).
std::optional<std::string> HardwareTtyPath(const char* name) {
    if (name[0] == '.') return std::nullopt;
    std::string link = std::string(kTtyClass) + "/" + name;
    if (access((link + "/device").c_str(), F_OK) != 0) return std::nullopt;
    char resolved[PATH_MAX];
    if (realpath(link.c_str(), resolved) == nullptr) return std::nullopt;
    return std::string(resolved);
}

std::optional<UsbSerialDevice> DescribeTty(udev* context, const std::string& sysPath) {
    UdevPtr<udev_device> tty(udev_device_new_from_syspath(context, sysPath.c_str()));
    if (!tty) return std::nullopt;
    const char* node = udev_device_get_devnode(tty.get());
    const char* name = udev_device_get_sysname(tty.get());
    if (node == nullptr || name == nullptr || std::strlen(node) > kMaxDevicePathBytes)
        return std::nullopt;
    auto id = IdOfUsbParent(tty.get());
    if (!id) return std::nullopt;
    return UsbSerialDevice{node, name, *id};
}

}  // namespace

std::vector<UsbSerialDevice> FindUsbSerialDevices() {
    std::vector<UsbSerialDevice> devices;
    if (ScanDisabled()) return devices;
    UdevPtr<udev> context(udev_new());
    if (!context) return devices;
    UdevPtr<DIR> folder(opendir(kTtyClass));
    if (!folder) return devices;
    while (dirent* entry = readdir(folder.get())) {
        auto sysPath = HardwareTtyPath(entry->d_name);
        if (!sysPath) continue;
        if (auto device = DescribeTty(context.get(), *sysPath)) devices.push_back(*device);
    }
    std::sort(devices.begin(), devices.end(),
              [](const auto& a, const auto& b) { return a.kernelName < b.kernelName; });
    return devices;
}

}  // namespace tb::usbserial
