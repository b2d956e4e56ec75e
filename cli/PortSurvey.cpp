#include "cli/PortSurvey.h"

#include <cstdlib>

#include "platform/DeviceIds.h"
#include "platform/usbserial/ComPortMap.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"

namespace tb::cli {
namespace {

constexpr int kPortLayerBusy = -7;
constexpr int kProbeBaud = 9600;
constexpr int kProbeBuffer = 64;

// Whether another program holds the port (its lock is taken).
bool HeldElsewhere(int com) {
    uint32_t handle = 0;
    const int opened =
        Vk800UsbSerialEx_OpenComm(com, kProbeBuffer, kProbeBuffer, kProbeBaud, &handle);
    if (opened == 0) Vk800UsbSerialEx_CloseComm(handle);
    return opened == kPortLayerBusy;
}

// Whether the port's USB identity is one of the loggers' or base units'
// (only those are probed: opening a stranger's port has effects of its own).
bool OneOfOurs(const usbserial::UsbId& id) {
    const platform::DeviceIds ids = platform::LoadDeviceIds();
    if (id == usbserial::UsbId{ids.lgr870Vendor, ids.lgr870Product} ||
        id == usbserial::UsbId{ids.lgr875Vendor, ids.lgr875Product})
        return true;
    if (id.vendor != ids.primaryVendor && id.vendor != ids.secondaryVendor) return false;
    for (uint16_t product : ids.baseProducts)
        if (id.product == product) return true;
    return false;
}

}  // namespace

PortConfinement::PortConfinement(int com) {
    if (const char* value = std::getenv(usbserial::kConfinedPortsVariable)) previous_ = value;
    setenv(usbserial::kConfinedPortsVariable, std::to_string(com).c_str(), 1);
}

PortConfinement::~PortConfinement() {
    if (previous_) {
        setenv(usbserial::kConfinedPortsVariable, previous_->c_str(), 1);
    } else {
        unsetenv(usbserial::kConfinedPortsVariable);
    }
}

std::string ConfinementEntry(int com) {
    return std::string(usbserial::kConfinedPortsVariable) + "=" + std::to_string(com);
}

std::vector<SurveyedPort> SurveyPorts() {
    std::vector<SurveyedPort> found;
    const usbserial::ComPortMap map = usbserial::ComPortMap::Load();
    for (const usbserial::ComPort& port : map.Ports()) {
        const PortConfinement confined(port.number);
        SurveyedPort surveyed{port.number, false, ListAttached()};
        if (surveyed.loggers.empty() && OneOfOurs(port.id)) surveyed.busy = HeldElsewhere(port.number);
        if (surveyed.busy || !surveyed.loggers.empty()) found.push_back(std::move(surveyed));
    }
    return found;
}

}  // namespace tb::cli
