// The calls the Wine tests make of the libraries, each one step a program
// would take.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "link/VkLGR800Comm.h"
#include "platform/DeviceIds.h"
#include "tests/support/KindTwoFrame.h"
#include "tests/support/LinkExchange.h"

namespace tb::wine {

// The adjustment block read: EIADJ with ACT as a length-prefixed field.
inline std::vector<uint8_t> AdjustReadFrame() {
    return testsupport::KindTwoFrame(
        std::string_view("EIADJ:ACT=\x01\x00"
                         "1",
                         13));
}

inline int BaseProduct() { return platform::DeviceIds{}.Product(1); }

// The serial numbers the link library finds for product P1, in port order.
inline std::vector<uint32_t> Serials() {
    std::vector<uint32_t> units(256, 0);
    const int found = VkLGR800_GetSerial(units.data(), 256, BaseProduct(), 0);
    units.resize(found > 0 ? static_cast<size_t>(found) : 0);
    return units;
}

// One exchange with the unit; the reply's length or the failing code.
inline int Exchange(uint32_t key, const std::vector<uint8_t>& frame, std::vector<uint8_t>& reply,
                    int timeoutSec = 1) {
    return testsupport::LinkExchange(key, frame, reply, timeoutSec);
}

}  // namespace tb::wine
