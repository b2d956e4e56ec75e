#include "platform/MessageWindow.h"

#include <utility>

#include "platform/ThreadQueue.h"

namespace tb::platform {

using detail::CurrentThreadQueue;
using detail::HandleOf;
using detail::IdOf;
using detail::QueuedMessage;
using detail::SentReply;
using detail::WindowRecord;
using detail::WindowRegistry;

namespace {

// How long a waiting sender sleeps between checks on the target.
constexpr uint32_t kSendCheckMs = 1;

std::shared_ptr<detail::ThreadQueue> QueueOf(const WindowRecord& record) {
    return record.queue.lock();
}

// Serves messages that other threads send to the calling thread's windows,
// so that two threads sending to each other cannot wait for ever.
void ServeIncomingSends() {
    auto queue = CurrentThreadQueue();
    if (!queue) return;
    while (auto message = queue->TakeNext(/*sentOnly=*/true)) detail::Dispatch(*message);
}

}  // namespace

WindowHandle CreateMessageWindow(WindowProc proc, WindowHandle parent) {
    auto queue = CurrentThreadQueue();
    if (!queue || !proc) return nullptr;
    if (parent && !IsMessageWindow(parent)) return nullptr;
    auto record = std::make_shared<WindowRecord>();
    record->parent = IdOf(parent);
    record->queue = queue;
    record->queueIdentity = queue.get();
    record->owner = std::this_thread::get_id();
    record->proc = std::move(proc);
    return HandleOf(WindowRegistry::Instance().Add(std::move(record)));
}

bool DestroyMessageWindow(WindowHandle window) {
    auto& registry = WindowRegistry::Instance();
    std::shared_ptr<WindowRecord> record = registry.Find(IdOf(window));
    if (!record || record->owner != std::this_thread::get_id() || record->destroying) return false;
    record->destroying = true;
    for (uintptr_t child : registry.ChildrenOf(record->id)) DestroyMessageWindow(HandleOf(child));
    try {
        record->proc(window, kWmDestroy, 0, 0);
    } catch (...) {
        // The window goes regardless.
    }
    registry.Remove(record->id);
    if (auto queue = QueueOf(*record)) queue->ForgetWindow(record->id);
    return true;
}

bool IsMessageWindow(WindowHandle window) {
    return window && WindowRegistry::Instance().Find(IdOf(window)) != nullptr;
}

intptr_t DefaultWindowProc(WindowHandle window, uint32_t message, uintptr_t, intptr_t) {
    if (message == kWmClose) DestroyMessageWindow(window);
    return 0;
}

bool PostWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    std::shared_ptr<WindowRecord> record = WindowRegistry::Instance().Find(IdOf(window));
    if (!record) return false;
    auto queue = QueueOf(*record);
    return queue && queue->Enqueue(QueuedMessage{record->id, message, wParam, lParam, nullptr});
}

std::optional<intptr_t> TrySendWindowMessage(WindowHandle window, uint32_t message,
                                             uintptr_t wParam, intptr_t lParam) {
    std::shared_ptr<WindowRecord> record = WindowRegistry::Instance().Find(IdOf(window));
    if (!record) return std::nullopt;
    if (record->owner == std::this_thread::get_id()) {
        try {
            return record->proc(window, message, wParam, lParam);
        } catch (...) {
            return 0;
        }
    }
    auto queue = QueueOf(*record);
    auto reply = std::make_shared<SentReply>();
    if (!queue || !queue->Enqueue(QueuedMessage{record->id, message, wParam, lParam, reply}))
        return std::nullopt;
    queue.reset();  // hold no reference that would keep an ended thread's queue alive
    for (;;) {
        bool abandoned = false;
        if (auto result = reply->WaitFor(kSendCheckMs, abandoned)) return result;
        if (abandoned || !IsMessageWindow(window)) return std::nullopt;
        ServeIncomingSends();
    }
}

intptr_t SendWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                           intptr_t lParam) {
    return TrySendWindowMessage(window, message, wParam, lParam).value_or(0);
}

}  // namespace tb::platform
