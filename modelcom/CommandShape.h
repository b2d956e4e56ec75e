// One command of the direct-USB protocol as a transaction sees it.
#pragma once

#include <cstdint>

namespace tb::modelcom {

inline constexpr int kReadInterval = 20;           // last argument of a reply read
inline constexpr int kBlockInterval = 50;          // the same for bulk data blocks
inline constexpr uint32_t kRequestSettleMs = 100;  // between request and reply read
inline constexpr uint32_t kAfterWriteMs = 100;     // pause after calibration and history commands

struct CommandShape {
    uint8_t command;
    uint8_t sub;
    uint16_t replyLength;  // the whole frame: data bytes + 7
    uint16_t waitMs;       // longest wait for the reply
    bool pauseAfter = false;
};

}  // namespace tb::modelcom
