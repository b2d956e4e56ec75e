#include "platform/QueueDoorbell.h"

#include <chrono>

#include "platform/ThreadQueue.h"

namespace tb::platform::detail {

bool ProcessIsEnding() { return false; }

QueueDoorbell::QueueDoorbell() = default;
QueueDoorbell::~QueueDoorbell() = default;
void QueueDoorbell::Ring() {}

bool ThreadQueue::WaitForMessage(uint32_t waitMs) {
    std::unique_lock lock(mutex);
    return arrived.wait_for(lock, std::chrono::milliseconds(waitMs),
                            [this] { return !sent.empty() || !posted.empty(); });
}

}  // namespace tb::platform::detail
