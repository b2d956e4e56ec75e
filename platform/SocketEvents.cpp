#include "platform/SocketEvents.h"

#include <algorithm>

#include "platform/SocketProbe.h"
#include "platform/ThreadQueue.h"

namespace tb::platform {

using detail::SocketWatch;
using detail::ThreadQueue;

bool SelectSocketEvents(int socket, WindowHandle window, uint32_t message, uint32_t events) {
    if (socket < 0) return false;
    auto queue = detail::CurrentThreadQueue();
    if (!queue) return false;
    const uintptr_t id = detail::IdOf(window);
    {
        std::lock_guard lock(queue->mutex);
        std::erase_if(queue->sockets, [&](const SocketWatch& w) { return w.socket == socket; });
    }
    if (!window || events == 0) return true;
    auto record = detail::WindowRegistry::Instance().Find(id);
    if (!record || record->queueIdentity != queue.get()) return false;
    std::lock_guard lock(queue->mutex);
    SocketWatch watch;
    watch.socket = socket;
    watch.window = id;
    watch.message = message;
    watch.events = events;
    queue->sockets.push_back(watch);
    return true;
}

void ReenableSocketEvent(int socket, uint32_t event) {
    auto queue = detail::CurrentThreadQueue();
    if (!queue) return;
    std::lock_guard lock(queue->mutex);
    for (SocketWatch& watch : queue->sockets) {
        if (watch.socket != socket) continue;
        if (event & kSocketRead) watch.readPosted = false;
        if (event & kSocketWrite) watch.writeWanted = true;
    }
}

namespace detail {
namespace {

struct Event {
    uint32_t kind;
    int error;
};

// Decides which events a watch reports now and updates its one-shot flags.
std::vector<Event> DueEvents(SocketWatch& watch) {
    std::vector<Event> due;
    const std::optional<SocketReadiness> ready = ProbeSocket(watch.socket);
    if (!ready) return due;
    if (!watch.connected) {
        if (!(ready->writable || ready->error || ready->hangup)) return due;
        const int error = PendingSocketError(watch.socket);
        if (error != 0) {
            watch.failed = true;
            due.push_back({kSocketConnect, error});
        } else if (SocketHasPeer(watch.socket)) {
            watch.connected = true;
            due.push_back({kSocketConnect, 0});
            due.push_back({kSocketWrite, 0});
        }
        return due;
    }
    const int waiting = SocketBytesWaiting(watch.socket);
    if (waiting > 0 && !watch.readPosted) {
        watch.readPosted = true;
        due.push_back({kSocketRead, 0});
    }
    const bool peerGone = ready->hangup || ready->error || ready->readable;
    if (waiting == 0 && peerGone && !watch.closePosted) {
        watch.closePosted = true;
        due.push_back({kSocketClose, ready->error ? PendingSocketError(watch.socket) : 0});
    }
    if (watch.writeWanted && ready->writable) {
        watch.writeWanted = false;
        due.push_back({kSocketWrite, 0});
    }
    return due;
}

}  // namespace

void PollSockets(ThreadQueue& queue) {
    std::vector<QueuedMessage> messages;
    {
        std::lock_guard lock(queue.mutex);
        for (SocketWatch& watch : queue.sockets) {
            if (watch.failed || watch.closePosted) continue;
            for (const Event& event : DueEvents(watch)) {
                if (!(watch.events & event.kind)) continue;
                messages.push_back({watch.window, watch.message,
                                    static_cast<uintptr_t>(watch.socket),
                                    MakeSocketEventParam(event.kind, event.error), nullptr});
            }
        }
    }
    for (auto& message : messages) queue.Enqueue(std::move(message));
}

}  // namespace detail
}  // namespace tb::platform
