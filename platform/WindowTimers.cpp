#include <algorithm>

#include "platform/Clock.h"
#include "platform/MessageWindow.h"
#include "platform/ThreadQueue.h"

namespace tb::platform {

using detail::IdOf;
using detail::WindowRegistry;

bool SetWindowTimer(WindowHandle window, uintptr_t id, uint32_t intervalMs) {
    auto record = WindowRegistry::Instance().Find(IdOf(window));
    if (!record) return false;
    auto queue = record->queue.lock();
    if (!queue) return false;
    std::lock_guard lock(queue->mutex);
    std::erase_if(queue->timers, [&](const detail::WindowTimer& t) {
        return t.window == record->id && t.id == id;
    });
    queue->timers.push_back({record->id, id, intervalMs, TickMs()});
    return true;
}

bool KillWindowTimer(WindowHandle window, uintptr_t id) {
    auto record = WindowRegistry::Instance().Find(IdOf(window));
    if (!record) return false;
    auto queue = record->queue.lock();
    if (!queue) return false;
    std::lock_guard lock(queue->mutex);
    return std::erase_if(queue->timers, [&](const detail::WindowTimer& t) {
               return t.window == record->id && t.id == id;
           }) > 0;
}

namespace detail {

void QueueDueTimers(ThreadQueue& queue) {
    std::lock_guard lock(queue.mutex);
    // A thread without timers never reads the clock while it idles (its
    // loop may still run while the process tears its statics down).
    if (queue.timers.empty()) return;
    const uint32_t now = TickMs();
    for (WindowTimer& timer : queue.timers) {
        if (ElapsedMs(timer.startTick, now) < timer.intervalMs) continue;
        timer.startTick = now;
        // A timer whose message still waits is not queued twice.
        bool queued = std::any_of(queue.posted.begin(), queue.posted.end(), [&](const auto& m) {
            return m.window == timer.window && m.message == kWmTimer && m.wParam == timer.id;
        });
        if (!queued) queue.posted.push_back({timer.window, kWmTimer, timer.id, 0, nullptr});
    }
}

}  // namespace detail
}  // namespace tb::platform
