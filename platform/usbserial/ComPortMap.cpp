#include "platform/usbserial/ComPortMap.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace tb::usbserial {
namespace {

// The kernel's index of "ttyUSB<n>" after the prefix; nothing otherwise.
std::optional<int> KernelIndex(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 3 ||
        name.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    int value = 0;
    for (char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> SuggestedNumber(const UsbSerialDevice& device) {
    if (auto n = KernelIndex(device.kernelName, "ttyUSB"); n && *n < 128) return *n + 1;
    if (auto n = KernelIndex(device.kernelName, "ttyACM"); n && *n < 128) return *n + 129;
    // Windows names its ports itself.
    if (auto n = KernelIndex(device.kernelName, "COM"); n && *n >= kFirstComNumber) return *n;
    return std::nullopt;
}

class NumberPool {
  public:
    bool Take(int number) {
        if (number < kFirstComNumber || number > kLastComNumber || used_[Index(number)])
            return false;
        used_[Index(number)] = true;
        return true;
    }
    std::optional<int> TakeLowest() {
        for (int n = kFirstComNumber; n <= kLastComNumber; ++n) {
            if (Take(n)) return n;
        }
        return std::nullopt;
    }

  private:
    static size_t Index(int number) { return static_cast<size_t>(number - kFirstComNumber); }
    std::array<bool, kLastComNumber> used_{};
};

}  // namespace

bool PortAllowed(int number) {
    if (number < kFirstComNumber || number > kLastComNumber) return false;
    const char* list = std::getenv(kConfinedPortsVariable);
    if (list == nullptr || *list == '\0') return true;
    std::string_view rest(list);
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        if (item.empty() || item.size() > 3) return false;
        int value = 0;
        for (char c : item) {
            if (c < '0' || c > '9') return false;
            value = value * 10 + (c - '0');
        }
        if (value == number) return true;
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return false;
}

ComPortMap ComPortMap::Load() {
    ComPortMap map = Build(LoadDeviceMapFromEnvironment(), FindUsbSerialDevices());
    std::erase_if(map.ports_, [](const ComPort& port) { return !PortAllowed(port.number); });
    return map;
}

ComPortMap ComPortMap::Build(const DeviceMap& map, const std::vector<UsbSerialDevice>& usb) {
    ComPortMap result;
    NumberPool pool;
    for (const auto& entry : map.entries) {
        if (!pool.Take(entry.comNumber)) continue;
        result.ports_.push_back(
            {entry.comNumber, PortDevicePath(entry), entry.id, true, entry.latch});
    }
    std::vector<const UsbSerialDevice*> unnumbered;
    for (const auto& device : usb) {
        bool listed = std::any_of(map.entries.begin(), map.entries.end(),
                                  [&](const auto& e) { return e.path == device.path; });
        if (listed) continue;
        auto suggested = SuggestedNumber(device);
        if (suggested && pool.Take(*suggested)) {
            result.ports_.push_back({*suggested, device.path, device.id, false, 0});
        } else {
            unnumbered.push_back(&device);
        }
    }
    for (const auto* device : unnumbered) {
        auto number = pool.TakeLowest();
        if (!number) break;
        result.ports_.push_back({*number, device->path, device->id, false, 0});
    }
    std::sort(result.ports_.begin(), result.ports_.end(),
              [](const auto& a, const auto& b) { return a.number < b.number; });
    return result;
}

const ComPort* ComPortMap::Find(int number) const {
    for (const auto& port : ports_) {
        if (port.number == number) return &port;
    }
    return nullptr;
}

ComDb ComPortMap::Assigned() const {
    ComDb bits{};
    for (const auto& port : ports_) {
        auto index = static_cast<size_t>(port.number - kFirstComNumber);
        bits[index / 8] = static_cast<uint8_t>(bits[index / 8] | (1u << (index % 8)));
    }
    return bits;
}

namespace {

std::optional<std::string> AssignedPath(int number) {
    // A simulated device keeps its number whatever is attached: no search.
    DeviceMap devices = LoadDeviceMapFromEnvironment();
    if (const DeviceMapEntry* entry = devices.Find(number)) return PortDevicePath(*entry);
    auto map = ComPortMap::Build(devices, FindUsbSerialDevices());
    const ComPort* port = map.Find(number);
    if (port == nullptr) return std::nullopt;
    return port->path;
}

}  // namespace

std::optional<std::string> ComPortPath(int number) {
    if (!PortAllowed(number)) return std::nullopt;
    auto path = AssignedPath(number);
    if (!path || !IsSerialDevice(*path)) return std::nullopt;
    return path;
}

ComDb AssignedComPorts() { return ComPortMap::Load().Assigned(); }

}  // namespace tb::usbserial
