#include "cli/PortSurvey.h"

#include <cstdlib>

#include "client/BaseUnitDiscovery.h"
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

// The model-890 cable's identity (product P6). Base-unit discovery would
// send its serial query there too and wait its whole time for an answer
// the cable never gives; the cable is listed as `list` lists it.
bool CableIdentity(const usbserial::UsbId& id) {
    const platform::DeviceIds ids = platform::LoadDeviceIds();
    return (id.vendor == ids.primaryVendor || id.vendor == ids.secondaryVendor) &&
           id.product == ids.Product(6);
}

std::vector<AttachedLogger> ListedOn(const usbserial::ComPort& port) {
    if (!CableIdentity(port.id)) return ListAttached();
    std::vector<AttachedLogger> cable;
    for (int com : client::ListSerialPorts())
        cable.push_back({"890", {}, std::nullopt, com, "cable", std::nullopt});
    return cable;
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
        SurveyedPort surveyed{port.number, false, ListedOn(port)};
        if (surveyed.loggers.empty() && OneOfOurs(port.id)) surveyed.busy = HeldElsewhere(port.number);
        if (surveyed.busy || !surveyed.loggers.empty()) found.push_back(std::move(surveyed));
    }
    return found;
}

}  // namespace tb::cli
