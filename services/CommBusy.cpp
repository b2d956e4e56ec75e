#include <atomic>
#include <mutex>

#include "platform/Clock.h"
#include "platform/Pump.h"
#include "resources/StringIds.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"

namespace tb::services {
namespace {

constexpr uint32_t kBusyWaitMs = 1000;

struct CommBusyLock {
    std::recursive_mutex mutex;
    std::atomic<bool> busy{false};

    // Takes the flag when it is free; the caller holds the mutex.
    bool TryTake() {
        if (busy.load()) return false;
        busy.store(true);
        return true;
    }
};

CommBusyLock& TheLock() {
    static CommBusyLock lock;
    return lock;
}

}  // namespace

void ShowBusyMessage() {
    ShowMessageId(resources::strings::kMsgCommBusy, MsgButtons::Ok, MsgIcon::Information);
}

bool AcquireCommBusy() {
    CommBusyLock& lock = TheLock();
    // Held for the whole wait; it admits this thread again, so a handler
    // pumped below can still release the flag.
    std::lock_guard guard(lock.mutex);
    if (lock.TryTake()) return true;
    const uint32_t start = platform::TickMs();
    do {
        platform::PumpPendingMessages();
        platform::SleepMs(1);
        if (lock.TryTake()) return true;
    } while (platform::ElapsedSince(start) <= kBusyWaitMs);
    return false;
}

void ReleaseCommBusy() { TheLock().busy.store(false); }

}  // namespace tb::services
