// The latch of a real USB bridge: the levels of its general-purpose pins,
// read through the kernel's GPIO character device that the bridge's driver
// registers (only some drivers and configurations offer one).
#pragma once

#include <cstdint>
#include <optional>

namespace tb::cp210x {

std::optional<uint8_t> GpioLatch(int fd);

}  // namespace tb::cp210x
