// The latch byte of a simulated device: the device-map entry whose device
// node is the one the descriptor refers to.
#pragma once

#include <cstdint>
#include <optional>

namespace tb::cp210x {

std::optional<uint8_t> SimulatedLatch(int fd);

}  // namespace tb::cp210x
