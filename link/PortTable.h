// The port table: for each COM port number n (1..256), the serial number of
// the base unit last found there by the serial query, or 0. Entries are only
// ever overwritten, never cleared.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tb::link {

inline constexpr int kPortCount = 256;

class PortTable {
  public:
    void Store(int portNumber, uint32_t serial);
    uint32_t At(int portNumber) const;

  private:
    std::array<uint32_t, kPortCount> serials_{};
};

// The lowest port number whose entry holds serial, or 0 when none does.
int Sb_Get_Port_from_Table(const PortTable& table, uint32_t serial);

}  // namespace tb::link
