// The Modbus RTU messages the CO2 logger passes on to its sensor module:
// read and write of the automatic-calibration register.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace tb::modelcom {

inline constexpr uint8_t kSensorAddress = 0xFE;
inline constexpr uint8_t kReadRegisters = 0x03;
inline constexpr uint8_t kWriteRegister = 0x06;
inline constexpr uint16_t kAutoCalibRegister = 0x001F;
inline constexpr uint16_t kAutoCalibOn = 180;

// CRC-16 with the reflected polynomial 0xA001, initial value 0xFFFF.
uint16_t ModbusCrc(std::span<const uint8_t> bytes);

// Request of 8 bytes: address, function, register, value or count, CRC low byte first.
std::array<uint8_t, 8> BuildSensorRequest(uint8_t function, uint16_t reg, uint16_t value);

// The register value from a read reply (FE 03 02 hi lo crc), if it is sound.
std::optional<uint16_t> ParseReadReply(std::span<const uint8_t> message);

// True for a sound write reply (FE 06, four bytes, crc).
bool IsWriteReplySound(std::span<const uint8_t> message);

}  // namespace tb::modelcom
