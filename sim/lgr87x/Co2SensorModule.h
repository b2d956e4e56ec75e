// The CO2 sensor module inside a model-875 logger, as far as the logger
// passes Modbus RTU messages on to it: register 0x001F (automatic
// calibration, 180 = on) can be read and written.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace tb::sim {

class Co2SensorModule {
  public:
    Co2SensorModule();

    // The module's reply to a message; empty when it does not answer
    // (wrong address, bad CRC, unknown function or register).
    std::vector<uint8_t> Answer(std::span<const uint8_t> message);

    uint16_t Register(uint16_t address) const;
    void SetRegister(uint16_t address, uint16_t value) { registers_[address] = value; }

    // When set, the next reply carries a wrong CRC.
    void CorruptNextCrc() { corruptNextCrc_ = true; }

    static uint16_t Crc(std::span<const uint8_t> bytes);

  private:
    std::vector<uint8_t> Finish(std::vector<uint8_t> reply);

    std::map<uint16_t, uint16_t> registers_;
    bool corruptNextCrc_ = false;
};

}  // namespace tb::sim
