#include "sim/core/EchoDevice.h"

namespace tb::sim {

namespace {
constexpr size_t kReceivedKept = 64 * 1024;
}

void EchoDevice::OnReceived(std::span<const uint8_t> bytes, DeviceLink& link) {
    if (received_.size() + bytes.size() <= kReceivedKept)
        received_.insert(received_.end(), bytes.begin(), bytes.end());
    if (scripted_.empty()) {
        link.Send(bytes);
        return;
    }
    link.Send(scripted_.front());
    scripted_.pop_front();
}

std::string EchoDevice::DumpState() const {
    return "received: " + std::to_string(received_.size()) +
           " bytes\nscripted replies: " + std::to_string(scripted_.size()) + "\n";
}

}  // namespace tb::sim
