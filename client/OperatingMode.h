// The operating modes of a correction write: how many channels the block
// carries and how long to wait before each read-back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tb::client {

struct OperatingMode {
    std::size_t channels = 1;
    uint32_t waitMs = 0;
};

// Modes 0 to 5; nothing for any other number.
std::optional<OperatingMode> LookupOperatingMode(int mode);

}  // namespace tb::client
