#include "tests/windows/SimOnWine.h"

#include <windows.h>

#include <cstdlib>

#include "platform/usbserial/DeviceMap.h"

namespace tb::wine {
namespace {

// The simulator reads its console between exchanges; a command written now
// is in force well within this time.
constexpr DWORD kConsoleSettleMs = 150;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

bool BenchServed() {
    return !Variable("TRIMBENCH_DEVICE_MAP").empty() && !Variable("TRIMBENCH_SIM_CONSOLE").empty();
}

std::vector<int> ComsOf(uint16_t vendor, uint16_t product) {
    std::vector<int> coms;
    for (const auto& entry : usbserial::LoadDeviceMapFromEnvironment().entries) {
        if (entry.id == usbserial::UsbId{vendor, product}) coms.push_back(entry.comNumber);
    }
    return coms;
}

bool SimCommand(const std::string& line) {
    HANDLE console = CreateFileA(Variable("TRIMBENCH_SIM_CONSOLE").c_str(), GENERIC_WRITE, 0,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (console == INVALID_HANDLE_VALUE) return false;
    const std::string text = line + "\n";
    DWORD written = 0;
    const bool sent =
        WriteFile(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size();
    CloseHandle(console);
    Sleep(kConsoleSettleMs);
    return sent;
}

int LanPort() { return std::atoi(Variable("TRIMBENCH_SIM_LAN_PORT").c_str()); }

}  // namespace tb::wine
