// Channel 1 of a simulated logger's 64-byte adjustment block: the slope and
// offset codes (little-endian) as tests set and read them.
#pragma once

#include <cstdint>
#include <utility>

#include "sim/loggers/SimulatedLogger.h"

namespace tb::testsupport {

inline sim::loggers::Block64 BlockHolding(uint16_t slopeCode, int16_t offsetCode) {
    sim::loggers::Block64 block{};
    block[0] = static_cast<uint8_t>(slopeCode & 0xFF);
    block[1] = static_cast<uint8_t>(slopeCode >> 8);
    block[2] = static_cast<uint8_t>(static_cast<uint16_t>(offsetCode) & 0xFF);
    block[3] = static_cast<uint8_t>(static_cast<uint16_t>(offsetCode) >> 8);
    return block;
}

// Slope code and signed offset code of channel 1.
inline std::pair<int, int> CodesOf(const sim::loggers::Block64& block) {
    return {block[0] | (block[1] << 8), static_cast<int16_t>(block[2] | (block[3] << 8))};
}

}  // namespace tb::testsupport
