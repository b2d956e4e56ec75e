#include "platform/cp210x/GpioLatch.h"

#include <fcntl.h>
#include <libudev.h>
#include <linux/gpio.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace tb::cp210x {
namespace {

constexpr unsigned kLatchPins = 8;

// The GPIO character device (/dev/gpiochipN) registered under the USB
// interface of the tty, if any.
std::string FindGpioChip(udev* context, dev_t ttyDevice) {
    udev_device* tty = udev_device_new_from_devnum(context, 'c', ttyDevice);
    if (tty == nullptr) return {};
    std::string chip;
    udev_device* parent =
        udev_device_get_parent_with_subsystem_devtype(tty, "usb", "usb_interface");
    const char* parentPath = parent != nullptr ? udev_device_get_syspath(parent) : nullptr;
    if (parentPath != nullptr) {
        std::string prefix = std::string(parentPath) + "/";
        udev_enumerate* search = udev_enumerate_new(context);
        udev_enumerate_add_match_subsystem(search, "gpio");
        udev_enumerate_scan_devices(search);
        udev_list_entry* entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(search)) {
            const char* path = udev_list_entry_get_name(entry);
            if (path == nullptr || std::strncmp(path, prefix.c_str(), prefix.size()) != 0) continue;
            udev_device* gpio = udev_device_new_from_syspath(context, path);
            const char* node = gpio != nullptr ? udev_device_get_devnode(gpio) : nullptr;
            if (node != nullptr) chip = node;
            if (gpio != nullptr) udev_device_unref(gpio);
            if (!chip.empty()) break;
        }
        udev_enumerate_unref(search);
    }
    udev_device_unref(tty);
    return chip;
}

// Requests the first pins as they are (no direction change) and reads them.
std::optional<uint8_t> ReadPins(const std::string& chipPath) {
    int chip = open(chipPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (chip < 0) return std::nullopt;
    gpiochip_info info{};
    std::optional<uint8_t> latch;
    if (ioctl(chip, GPIO_GET_CHIPINFO_IOCTL, &info) == 0 && info.lines > 0) {
        gpio_v2_line_request request{};
        request.num_lines = info.lines < kLatchPins ? info.lines : kLatchPins;
        for (unsigned i = 0; i < request.num_lines; ++i) request.offsets[i] = i;
        std::strncpy(request.consumer, "trimbench-latch", sizeof request.consumer - 1);
        if (ioctl(chip, GPIO_V2_GET_LINE_IOCTL, &request) == 0) {
            gpio_v2_line_values values{};
            values.mask = (1ull << request.num_lines) - 1;
            if (ioctl(request.fd, GPIO_V2_LINE_GET_VALUES_IOCTL, &values) == 0)
                latch = static_cast<uint8_t>(values.bits & 0xFF);
            close(request.fd);
        }
    }
    close(chip);
    return latch;
}

}  // namespace

std::optional<uint8_t> GpioLatch(int fd) {
    struct stat opened {};
    if (fstat(fd, &opened) != 0 || !S_ISCHR(opened.st_mode)) return std::nullopt;
    udev* context = udev_new();
    if (context == nullptr) return std::nullopt;
    std::string chip = FindGpioChip(context, opened.st_rdev);
    udev_unref(context);
    if (chip.empty()) return std::nullopt;
    return ReadPins(chip);
}

}  // namespace tb::cp210x
