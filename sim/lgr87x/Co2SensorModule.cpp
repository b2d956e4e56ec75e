#include "sim/lgr87x/Co2SensorModule.h"

namespace tb::sim {

namespace {
constexpr uint8_t kAddress = 0xFE;
constexpr uint16_t kAutoCalibration = 0x001F;
}  // namespace

Co2SensorModule::Co2SensorModule() { registers_[kAutoCalibration] = 180; }

uint16_t Co2SensorModule::Crc(std::span<const uint8_t> bytes) {
    uint16_t crc = 0xFFFF;
    for (uint8_t b : bytes) {
        crc ^= b;
        for (int i = 0; i < 8; ++i) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

uint16_t Co2SensorModule::Register(uint16_t address) const {
    auto it = registers_.find(address);
    return it == registers_.end() ? 0 : it->second;
}

std::vector<uint8_t> Co2SensorModule::Finish(std::vector<uint8_t> reply) {
    uint16_t crc = Crc(reply);
    if (corruptNextCrc_) {
        crc ^= 0x5A5A;
        corruptNextCrc_ = false;
    }
    reply.push_back(static_cast<uint8_t>(crc & 0xFF));
    reply.push_back(static_cast<uint8_t>(crc >> 8));
    return reply;
}

std::vector<uint8_t> Co2SensorModule::Answer(std::span<const uint8_t> message) {
    if (message.size() != 8 || message[0] != kAddress) return {};
    uint16_t crc = Crc(message.first(6));
    if (message[6] != (crc & 0xFF) || message[7] != (crc >> 8)) return {};
    const uint8_t function = message[1];
    const uint16_t address = static_cast<uint16_t>((message[2] << 8) | message[3]);
    const uint16_t value = static_cast<uint16_t>((message[4] << 8) | message[5]);
    if (!registers_.count(address)) return {};
    if (function == 0x03 && value == 1) {
        uint16_t held = registers_[address];
        return Finish({kAddress, 0x03, 2, static_cast<uint8_t>(held >> 8),
                       static_cast<uint8_t>(held & 0xFF)});
    }
    if (function == 0x06) {
        registers_[address] = value;
        return Finish({message.begin(), message.begin() + 6});
    }
    return {};
}

}  // namespace tb::sim
