#include "platform/cp210x/SimulatedLatch.h"

#include <sys/stat.h>

#include "platform/usbserial/DeviceMap.h"

namespace tb::cp210x {

std::optional<uint8_t> SimulatedLatch(int fd) {
    struct stat opened {};
    if (fstat(fd, &opened) != 0 || !S_ISCHR(opened.st_mode)) return std::nullopt;
    for (const auto& entry : usbserial::LoadDeviceMapFromEnvironment().entries) {
        struct stat listed {};
        if (stat(entry.path.c_str(), &listed) == 0 && S_ISCHR(listed.st_mode) &&
            listed.st_rdev == opened.st_rdev)
            return entry.latch;
    }
    return std::nullopt;
}

}  // namespace tb::cp210x
