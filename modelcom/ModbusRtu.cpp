#include "modelcom/ModbusRtu.h"

namespace tb::modelcom {

namespace {

bool CrcMatches(std::span<const uint8_t> message, size_t covered) {
    uint16_t crc = ModbusCrc(message.first(covered));
    return message[covered] == (crc & 0xFF) && message[covered + 1] == (crc >> 8);
}

inline constexpr size_t kReadReplySize = 7;
inline constexpr size_t kWriteReplySize = 8;

}  // namespace

uint16_t ModbusCrc(std::span<const uint8_t> bytes) {
    uint16_t crc = 0xFFFF;
    for (uint8_t b : bytes) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001)
                            : static_cast<uint16_t>(crc >> 1);
        }
    }
    return crc;
}

std::array<uint8_t, 8> BuildSensorRequest(uint8_t function, uint16_t reg, uint16_t value) {
    std::array<uint8_t, 8> message{kSensorAddress,
                                   function,
                                   static_cast<uint8_t>(reg >> 8),
                                   static_cast<uint8_t>(reg & 0xFF),
                                   static_cast<uint8_t>(value >> 8),
                                   static_cast<uint8_t>(value & 0xFF),
                                   0,
                                   0};
    uint16_t crc = ModbusCrc(std::span(message).first(6));
    message[6] = static_cast<uint8_t>(crc & 0xFF);
    message[7] = static_cast<uint8_t>(crc >> 8);
    return message;
}

std::optional<uint16_t> ParseReadReply(std::span<const uint8_t> message) {
    if (message.size() < kReadReplySize) return std::nullopt;
    if (message[0] != kSensorAddress || message[1] != kReadRegisters || message[2] != 2) {
        return std::nullopt;
    }
    if (!CrcMatches(message, 5)) return std::nullopt;
    return static_cast<uint16_t>((message[3] << 8) | message[4]);
}

bool IsWriteReplySound(std::span<const uint8_t> message) {
    if (message.size() < kWriteReplySize) return false;
    if (message[0] != kSensorAddress || message[1] != kWriteRegister) return false;
    return CrcMatches(message, 6);
}

}  // namespace tb::modelcom
