#include "services/PageServices.h"
#include "platform/Clock.h"
#include "platform/Pump.h"

namespace tb::services {

void PumpWait(uint32_t ms) {
    const uint32_t start = platform::TickMs();
    do {
        platform::PumpPendingMessages();
        platform::SleepMs(1);
    } while (platform::ElapsedSince(start) < ms);
}

}  // namespace tb::services
