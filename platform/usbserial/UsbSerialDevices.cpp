#include "platform/usbserial/UsbSerialDevices.h"

#include <libudev.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace tb::usbserial {
namespace {

struct UdevDeleter {
    void operator()(udev* u) const { udev_unref(u); }
    void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
    void operator()(udev_device* d) const { udev_device_unref(d); }
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

std::optional<UsbSerialDevice> DescribeTty(udev* context, const char* sysPath) {
    UdevPtr<udev_device> tty(udev_device_new_from_syspath(context, sysPath));
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
    UdevPtr<udev_enumerate> enumeration(udev_enumerate_new(context.get()));
    if (!enumeration) return devices;
    udev_enumerate_add_match_subsystem(enumeration.get(), "tty");
    udev_enumerate_scan_devices(enumeration.get());
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration.get())) {
        const char* sysPath = udev_list_entry_get_name(entry);
        if (sysPath == nullptr) continue;
        if (auto device = DescribeTty(context.get(), sysPath)) devices.push_back(*device);
    }
    std::sort(devices.begin(), devices.end(),
              [](const auto& a, const auto& b) { return a.kernelName < b.kernelName; });
    return devices;
}

}  // namespace tb::usbserial
