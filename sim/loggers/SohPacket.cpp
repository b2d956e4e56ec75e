#include "sim/loggers/SohPacket.h"

namespace tb::sim::loggers {
namespace {

uint16_t Word(std::span<const uint8_t> bytes, std::size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void PutWord(SohPacket& packet, std::size_t at, uint16_t value) {
    packet[at] = static_cast<uint8_t>(value & 0xFF);
    packet[at + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

uint16_t Sum16(std::span<const uint8_t> bytes) {
    unsigned sum = 0;
    for (uint8_t b : bytes) sum += b;
    return static_cast<uint16_t>(sum & 0xFFFF);
}

std::optional<SohRequest> ReadSohRequest(std::span<const uint8_t> packet) {
    if (packet.size() != kSohPacketSize || packet[0] != 0x01) return std::nullopt;
    if (Word(packet, 3) != 4 || Sum16(packet.first(9)) != Word(packet, 9)) return std::nullopt;
    return SohRequest{packet[1], Word(packet, 5), Word(packet, 7)};
}

SohPacket MakeSohAnswer(uint8_t letter, uint8_t answer, uint16_t word1, uint16_t word2,
                        bool badCheck) {
    SohPacket packet{0x01, letter, answer, 4, 0};
    PutWord(packet, 5, word1);
    PutWord(packet, 7, word2);
    PutWord(packet, 9,
            static_cast<uint16_t>(Sum16(std::span(packet).first(9)) ^ (badCheck ? 0x5A5A : 0)));
    return packet;
}

}  // namespace tb::sim::loggers
