// The device-map file is untrusted text: parse it, number the ports and
// check what the parser promises.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/usbserial/ComPortMap.h"
#include "platform/usbserial/DeviceMap.h"

using namespace tb::usbserial;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    DeviceMap map = ParseDeviceMap(text);
    for (const auto& entry : map.entries) {
        if (entry.comNumber < kFirstComNumber || entry.comNumber > kLastComNumber) std::abort();
        if (entry.path.empty() || entry.path[0] != '/' || entry.path.size() > kMaxDevicePathBytes)
            std::abort();
        if (map.Find(entry.comNumber) != &entry) std::abort();  // numbers unique
    }
    ComPortMap ports = ComPortMap::Build(map, {});
    if (ports.Ports().size() != map.entries.size()) std::abort();
    ComDb bits = ports.Assigned();
    size_t set = 0;
    for (uint8_t byte : bits) set += static_cast<size_t>(__builtin_popcount(byte));
    if (set != map.entries.size()) std::abort();

    // The first line as a process's port confinement: whatever it says,
    // no number outside 1..256 is ever allowed by a list that is set.
    const std::string confinement(text.substr(0, text.find_first_of(std::string_view("\n\0", 2))));
    setenv(kConfinedPortsVariable, confinement.c_str(), 1);
    if (!confinement.empty() && (PortAllowed(0) || PortAllowed(1000))) std::abort();
    for (int number = kFirstComNumber; number <= kLastComNumber; ++number) PortAllowed(number);
    unsetenv(kConfinedPortsVariable);
    return 0;
}
