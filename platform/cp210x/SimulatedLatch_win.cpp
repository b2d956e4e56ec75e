// The latch of a simulated device on Windows (under Wine): the device-map
// entry whose device is the file behind the port's handle. The system's
// final path names of the two are compared, so a COM number mapped to the
// entry's device in any way is recognised; a port without such a name (a
// real COM port) has no simulated latch.
#include <windows.h>

#include <string>

#include "platform/cp210x/SimulatedLatch.h"
#include "platform/usbserial/DeviceMap.h"

namespace tb::cp210x {
namespace {

std::optional<std::wstring> FinalPathOf(HANDLE file) {
    wchar_t path[1024];
    const DWORD length = GetFinalPathNameByHandleW(file, path, 1024, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= 1024) return std::nullopt;
    return std::wstring(path, length);
}

// The map names the device by its path on the host: Wine opens host paths
// below the "\\?\unix" prefix.
std::optional<std::wstring> FinalPathOfHostPath(const std::string& hostPath) {
    if (hostPath.empty() || hostPath[0] != '/') return std::nullopt;
    const std::string path = "\\\\?\\unix" + hostPath;
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    auto name = FinalPathOf(file);
    CloseHandle(file);
    return name;
}

}  // namespace

std::optional<uint8_t> SimulatedLatch(int fd) {
    HANDLE port = reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd));
    if (GetFileType(port) != FILE_TYPE_CHAR) return std::nullopt;
    auto opened = FinalPathOf(port);
    if (!opened) return std::nullopt;
    for (const auto& entry : usbserial::LoadDeviceMapFromEnvironment().entries) {
        if (FinalPathOfHostPath(entry.path) == opened) return entry.latch;
    }
    return std::nullopt;
}

}  // namespace tb::cp210x
