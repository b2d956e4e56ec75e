// Waits of the model libraries: short sleeps on the platform clock with the
// calling thread's pending messages pumped in between, so a window stays
// alive while a logger is being talked to.
#pragma once

#include <cstdint>

namespace tb::modelcom {

inline constexpr uint32_t kPumpSliceMs = 10;

void PumpingWait(uint32_t ms);

}  // namespace tb::modelcom
