#include "platform/MessageQueue.h"

#include "platform/SystemPump.h"
#include "platform/ThreadQueue.h"

namespace tb::platform {

namespace {

// Turns socket readiness and due timers into queued messages.
void ServeEventSources(detail::ThreadQueue& queue) {
    detail::PollSockets(queue);
    detail::QueueDueTimers(queue);
}

}  // namespace

int PumpThreadMessages() {
    auto queue = detail::CurrentThreadQueue();
    if (!queue) return 0;
    detail::ServingQueue serving;
    detail::PumpSystemMessages();
    ServeEventSources(*queue);
    size_t budget = queue->PendingCount();
    int dispatched = 0;
    while (budget-- > 0) {
        auto message = queue->TakeNext(/*sentOnly=*/false);
        if (!message) break;
        detail::Dispatch(*message);
        ++dispatched;
    }
    return dispatched;
}

bool DispatchOneMessage() {
    auto queue = detail::CurrentThreadQueue();
    if (!queue) return false;
    detail::ServingQueue serving;
    detail::PumpSystemMessages();
    ServeEventSources(*queue);
    auto message = queue->TakeNext(/*sentOnly=*/false);
    if (!message) return false;
    detail::Dispatch(*message);
    return true;
}

void WaitForThreadMessage(uint32_t waitMs) {
    if (auto queue = detail::CurrentThreadQueue()) queue->WaitForMessage(waitMs);
}

PumpHook MessageQueuePumpHook() {
    return [] { PumpThreadMessages(); };
}

}  // namespace tb::platform
