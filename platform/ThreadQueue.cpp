#include "platform/ThreadQueue.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace tb::platform::detail {

void SentReply::Finish(intptr_t result) {
    {
        std::lock_guard lock(mutex_);
        done_ = true;
        result_ = result;
    }
    changed_.notify_all();
}

void SentReply::Abandon() {
    {
        std::lock_guard lock(mutex_);
        if (done_) return;
        abandoned_ = true;
    }
    changed_.notify_all();
}

std::optional<intptr_t> SentReply::WaitFor(uint32_t waitMs, bool& abandoned) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::milliseconds(waitMs),
                      [this] { return done_ || abandoned_; });
    abandoned = abandoned_;
    if (done_) return result_;
    return std::nullopt;
}

bool ThreadQueue::Enqueue(QueuedMessage message) {
    {
        std::lock_guard lock(mutex);
        if (!alive) return false;
        (message.reply ? sent : posted).push_back(std::move(message));
        if (doorbell) doorbell->Ring();
    }
    arrived.notify_all();
    return true;
}

std::optional<QueuedMessage> ThreadQueue::TakeNext(bool sentOnly) {
    std::lock_guard lock(mutex);
    std::deque<QueuedMessage>* from = !sent.empty() ? &sent : (sentOnly ? nullptr : &posted);
    if (!from || from->empty()) return std::nullopt;
    QueuedMessage message = std::move(from->front());
    from->pop_front();
    return message;
}

size_t ThreadQueue::PendingCount() {
    std::lock_guard lock(mutex);
    return sent.size() + posted.size();
}

void ThreadQueue::ForgetWindow(uintptr_t window) {
    std::vector<std::shared_ptr<SentReply>> released;
    {
        std::lock_guard lock(mutex);
        auto drop = [&](std::deque<QueuedMessage>& messages) {
            for (auto it = messages.begin(); it != messages.end();) {
                if (it->window != window) {
                    ++it;
                    continue;
                }
                if (it->reply) released.push_back(it->reply);
                it = messages.erase(it);
            }
        };
        drop(sent);
        drop(posted);
        std::erase_if(timers, [&](const WindowTimer& t) { return t.window == window; });
        std::erase_if(sockets, [&](const SocketWatch& s) { return s.window == window; });
    }
    for (auto& reply : released) reply->Abandon();
}

void ThreadQueue::Shutdown() {
    std::deque<QueuedMessage> waiting;
    std::unique_ptr<QueueDoorbell> closing;
    {
        std::lock_guard lock(mutex);
        alive = false;
        closing = std::move(doorbell);
        waiting.swap(sent);
        posted.clear();
        timers.clear();
        sockets.clear();
    }
    for (auto& message : waiting) message.reply->Abandon();
}

namespace {

// Ends the thread's queue when the thread ends. The flag outlives the holder
// (it is trivially destructible), so late callers on an ending thread get no
// queue instead of a destroyed one.
thread_local bool threadQueueEnded = false;

thread_local bool servingQueue = false;

struct ThreadQueueHolder {
    std::shared_ptr<ThreadQueue> queue = [] {
        auto made = std::make_shared<ThreadQueue>();
        made->doorbell = std::make_unique<QueueDoorbell>();
        return made;
    }();
    ~ThreadQueueHolder() {
        threadQueueEnded = true;
        // Threads ended by the process's end may hold the locks below.
        if (ProcessIsEnding()) return;
        queue->Shutdown();
        WindowRegistry::Instance().RemoveAllOf(queue.get());
    }
};

}  // namespace

ServingQueue::ServingQueue() : outer_(servingQueue) { servingQueue = true; }
ServingQueue::~ServingQueue() { servingQueue = outer_; }
bool ServingThreadQueue() { return servingQueue; }

std::shared_ptr<ThreadQueue> CurrentThreadQueue() {
    if (threadQueueEnded) return nullptr;
    thread_local ThreadQueueHolder holder;
    return holder.queue;
}

WindowRegistry& WindowRegistry::Instance() {
    static WindowRegistry* registry = new WindowRegistry;
    return *registry;
}

uintptr_t WindowRegistry::Add(std::shared_ptr<WindowRecord> record) {
    std::lock_guard lock(mutex_);
    record->id = next_++;
    windows_.emplace(record->id, record);
    return record->id;
}

std::shared_ptr<WindowRecord> WindowRegistry::Find(uintptr_t id) {
    std::lock_guard lock(mutex_);
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second;
}

void WindowRegistry::Remove(uintptr_t id) {
    std::lock_guard lock(mutex_);
    windows_.erase(id);
}

std::vector<uintptr_t> WindowRegistry::ChildrenOf(uintptr_t id) {
    std::lock_guard lock(mutex_);
    std::vector<uintptr_t> children;
    for (const auto& [child, record] : windows_)
        if (record->parent == id) children.push_back(child);
    return children;
}

void WindowRegistry::RemoveAllOf(const ThreadQueue* queue) {
    std::lock_guard lock(mutex_);
    std::erase_if(windows_,
                  [&](const auto& entry) { return entry.second->queueIdentity == queue; });
}

void Dispatch(const QueuedMessage& message) {
    std::shared_ptr<WindowRecord> record = WindowRegistry::Instance().Find(message.window);
    if (!record) {
        if (message.reply) message.reply->Abandon();
        return;
    }
    intptr_t result = 0;
    try {
        result =
            record->proc(HandleOf(message.window), message.message, message.wParam, message.lParam);
    } catch (...) {
        // A handler's exception must not unwind through the pump.
    }
    if (message.reply) message.reply->Finish(result);
}

}  // namespace tb::platform::detail
