#include "platform/usbserial/OpenPorts.h"

namespace tb::usbserial {

OpenPorts& OpenPorts::Instance() {
    static OpenPorts instance;
    return instance;
}

void OpenPorts::Add(OpenPort port) {
    std::lock_guard lock(mutex_);
    ports_[static_cast<uint32_t>(port.fd)] = port;
}

std::optional<OpenPort> OpenPorts::Find(uint32_t handle) const {
    std::lock_guard lock(mutex_);
    auto it = ports_.find(handle);
    if (it == ports_.end()) return std::nullopt;
    return it->second;
}

std::optional<OpenPort> OpenPorts::Remove(uint32_t handle) {
    std::lock_guard lock(mutex_);
    auto it = ports_.find(handle);
    if (it == ports_.end()) return std::nullopt;
    OpenPort port = it->second;
    ports_.erase(it);
    return port;
}

}  // namespace tb::usbserial
