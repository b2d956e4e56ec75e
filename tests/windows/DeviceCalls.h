// The calls the Wine tests make of the libraries, each one step a program
// would take.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "link/VkLGR800Comm.h"
#include "platform/DeviceIds.h"
#include "tests/support/KindTwoFrame.h"

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

// Open, clear, send, receive, close: the reply's length (reply holds it) or
// the failing code.
inline int Exchange(uint32_t key, const std::vector<uint8_t>& frame, std::vector<uint8_t>& reply,
                    int timeoutSec = 1) {
    reply.clear();
    if (int opened = VkLGR800_OpenUSBComm(key); opened != 0) return opened;
    VkLGR800_ClearCommBuf(key, 1);
    VkLGR800_ClearCommBuf(key, 0);
    int result = VkLGR800_SendComm(key, frame.data(), static_cast<int>(frame.size()));
    if (result == 0) {
        reply.assign(1024, 0);
        result = VkLGR800_RecvComm(key, reply.data(), 1024, timeoutSec);
        reply.resize(result > 0 ? static_cast<size_t>(result) : 0);
    }
    VkLGR800_CloseComm(key);
    return result;
}

}  // namespace tb::wine
