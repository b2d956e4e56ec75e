// A bench of echo devices on ptys, published through the device map, for
// tests of the port layer.
#pragma once

#include <memory>

#include "sim/core/Bench.h"
#include "sim/core/EchoDevice.h"

namespace tb::usbserial::testing {

inline constexpr sim::DeviceIdentity kBaseUnit{0x2f5c, 0x8001, 0x08, 38400};
inline constexpr sim::DeviceIdentity kOtherDevice{0x2f5c, 0x8002, 0x00, 38400};

struct SimulatedPorts {
    sim::Bench bench{{.pacing = false}};
    sim::EchoDevice& first = bench.Emplace<sim::EchoDevice>(kBaseUnit);     // COM1
    sim::EchoDevice& second = bench.Emplace<sim::EchoDevice>(kBaseUnit);    // COM2
    sim::EchoDevice& other = bench.Emplace<sim::EchoDevice>(kOtherDevice);  // COM3
    std::string mapPath = bench.UseTemporaryDeviceMap();
};

}  // namespace tb::usbserial::testing
