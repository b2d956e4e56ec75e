#include "modelcom/PumpingWait.h"

#include <algorithm>

#include "platform/Clock.h"
#include "platform/Pump.h"

namespace tb::modelcom {

void PumpingWait(uint32_t ms) {
    namespace platform = tb::platform;
    const uint32_t start = platform::TickMs();
    for (;;) {
        platform::PumpPendingMessages();
        uint32_t elapsed = platform::ElapsedSince(start);
        if (elapsed >= ms) return;
        platform::SleepMs(std::min(kPumpSliceMs, ms - elapsed));
    }
}

}  // namespace tb::modelcom
