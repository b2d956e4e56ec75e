#include "sim/loggers/SohPacket.h"

#include "sim/core/WireBytes.h"

namespace tb::sim::loggers {

std::optional<SohRequest> ReadSohRequest(std::span<const uint8_t> packet) {
    if (packet.size() != kSohPacketSize || packet[0] != 0x01) return std::nullopt;
    if (wire::ReadU16(packet, 3) != 4) return std::nullopt;
    if (wire::ByteSum16(packet.first(9)) != wire::ReadU16(packet, 9)) return std::nullopt;
    return SohRequest{packet[1], wire::ReadU16(packet, 5), wire::ReadU16(packet, 7)};
}

SohPacket MakeSohAnswer(uint8_t letter, uint8_t answer, uint16_t word1, uint16_t word2,
                        bool badCheck) {
    SohPacket packet{0x01, letter, answer, 4, 0};
    wire::WriteU16(packet, 5, word1);
    wire::WriteU16(packet, 7, word2);
    const uint16_t sum = wire::ByteSum16(std::span(packet).first(9));
    wire::WriteU16(packet, 9, static_cast<uint16_t>(sum ^ (badCheck ? 0x5A5A : 0)));
    return packet;
}

}  // namespace tb::sim::loggers
