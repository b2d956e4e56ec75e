// One exchange with a base unit through the link library: open, clear both
// buffers, send, receive, close. The reply's length, or the failing code.
#pragma once

#include <cstdint>
#include <vector>

#include "link/VkLGR800Comm.h"

namespace tb::testsupport {

inline int LinkExchange(uint32_t key, const std::vector<uint8_t>& frame, std::vector<uint8_t>& reply,
                        int timeoutSec) {
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

}  // namespace tb::testsupport
