// The logger's side of the 11-byte start-of-header packets: 0x01, a letter,
// an answer code, the length 4, four data bytes and the 16-bit sum of the
// first nine bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace tb::sim::loggers {

inline constexpr std::size_t kSohPacketSize = 11;
using SohPacket = std::array<uint8_t, kSohPacketSize>;

struct SohRequest {
    uint8_t letter = 0;
    uint16_t word1 = 0;  // data bytes 5-6
    uint16_t word2 = 0;  // data bytes 7-8
};

inline constexpr uint8_t kAccept = 0x06;

// Nothing unless the packet starts with 0x01, has length 4 and a right check.
std::optional<SohRequest> ReadSohRequest(std::span<const uint8_t> packet);

// An answer packet; badCheck spoils its check.
SohPacket MakeSohAnswer(uint8_t letter, uint8_t answer, uint16_t word1, uint16_t word2,
                        bool badCheck = false);

}  // namespace tb::sim::loggers
