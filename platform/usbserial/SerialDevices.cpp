#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <string_view>

#include "platform/usbserial/ComPortMap.h"

namespace tb::usbserial {
namespace {

// The kernel's majors of pty slaves (/dev/pts/N).
constexpr unsigned kFirstPtySlaveMajor = 136;
constexpr unsigned kLastPtySlaveMajor = 143;

}  // namespace

std::string PortDevicePath(const DeviceMapEntry& entry) { return entry.path; }

bool IsSerialDevice(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return false;
    unsigned major = major(info.st_rdev);
    if (major >= kFirstPtySlaveMajor && major <= kLastPtySlaveMajor) return true;
    std::string subsystem = "/sys/dev/char/" + std::to_string(major) + ":" +
                            std::to_string(minor(info.st_rdev)) + "/subsystem";
    char target[PATH_MAX];
    if (realpath(subsystem.c_str(), target) == nullptr) return false;
    std::string_view resolved(target);
    return resolved.size() >= 4 && resolved.substr(resolved.size() - 4) == "/tty";
}

}  // namespace tb::usbserial
