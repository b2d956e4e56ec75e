// One command exchange with a base unit and the five transactions that run
// it. A transaction opens the link to the unit, clears its buffers, sends one
// command frame, receives one reply, checks it and always closes the link.
// Each returns a ResultCode (0 on success).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tb::client {

struct CommandExchange {
    // The bytes to send, or the buffer that receives the DATA value.
    std::vector<uint8_t> block;
    int32_t status1 = 0;
    int32_t status2 = 0;

    explicit CommandExchange(std::size_t blockSize) : block(blockSize, 0) {}
};

// Bytes of the buffer that receives one reply frame.
inline constexpr int kReplyCapacity = 1024;

// EIADJ write of the 64-byte block.
int AdjustWrite(uint32_t unitKey, CommandExchange& exchange);
// EIADJ read; the 64-byte block is filled from DATA.
int AdjustRead(uint32_t unitKey, CommandExchange& exchange);
// EISET read; the 64-byte block is filled from DATA.
int SettingsRead(uint32_t unitKey, CommandExchange& exchange);
// EISOH with the 11-byte frame in the block; the reply needs no DATA.
int PassThroughSend(uint32_t unitKey, CommandExchange& exchange);
// EISOH with the 11-byte frame in the block; the reply's DATA replaces it.
int PassThroughExchange(uint32_t unitKey, CommandExchange& exchange);

}  // namespace tb::client
