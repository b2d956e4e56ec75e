#include "sim/lgr87x/Lgr87xDevice.h"

#include <cstdio>

#include "platform/DeviceIds.h"

namespace tb::sim {

namespace {

constexpr uint32_t kDefault870Serial = 0x87000001;
constexpr uint32_t kDefault875Serial = 0x87500001;

DeviceIdentity IdentityFor(const Lgr87xOptions& options) {
    tb::platform::DeviceIds ids = tb::platform::LoadDeviceIds();
    const bool is870 = options.model == Lgr87xModel::k870;
    DeviceIdentity identity;
    identity.vendor = options.vendor.value_or(is870 ? ids.lgr870Vendor : ids.lgr875Vendor);
    identity.product = options.product.value_or(is870 ? ids.lgr870Product : ids.lgr875Product);
    identity.latch = options.latch;
    identity.baud = kLgr87xBaud;
    return identity;
}

uint32_t SerialFor(const Lgr87xOptions& options) {
    if (options.serial != 0) return options.serial;
    return options.model == Lgr87xModel::k870 ? kDefault870Serial : kDefault875Serial;
}

}  // namespace

Lgr87xDevice::Lgr87xDevice(const Lgr87xOptions& options)
    : logger_(options.model, SerialFor(options)), identity_(IdentityFor(options)) {
    if (options.records > 0) logger_.FillRecords(options.records);
}

std::string Lgr87xDevice::Name() const {
    char name[48];
    std::snprintf(name, sizeof name, "logger %s %08X",
                  logger_.Model() == Lgr87xModel::k870 ? "870" : "875", logger_.Serial());
    return name;
}

void Lgr87xDevice::OnReceived(std::span<const uint8_t> bytes, DeviceLink& link) {
    cutter_.Push(bytes);
    while (auto request = cutter_.Next()) {
        if (auto reply = logger_.Answer(*request)) link.Send(*reply);
    }
}

}  // namespace tb::sim
