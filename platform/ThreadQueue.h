// Internals shared by the message-window sources: the per-thread queue and the
// registry of window handles. Not part of the platform's interface.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/MessageWindow.h"
#include "platform/QueueDoorbell.h"

namespace tb::platform::detail {

// The answer slot of a sent message; the sender waits on it.
class SentReply {
  public:
    void Finish(intptr_t result);
    void Abandon();
    // Waits up to waitMs; the result once the handler ran, or empty while
    // pending. `abandoned` tells that it never will.
    std::optional<intptr_t> WaitFor(uint32_t waitMs, bool& abandoned);

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = false;
    bool abandoned_ = false;
    intptr_t result_ = 0;
};

struct QueuedMessage {
    uintptr_t window = 0;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    std::shared_ptr<SentReply> reply;  // set for sent messages
};

struct WindowTimer {
    uintptr_t window = 0;
    uintptr_t id = 0;
    uint32_t intervalMs = 0;
    uint32_t startTick = 0;
};

struct SocketWatch {
    int socket = -1;
    uintptr_t window = 0;
    uint32_t message = 0;
    uint32_t events = 0;
    bool connected = false;    // the connect event has been delivered
    bool failed = false;       // the connect failed: no further events
    bool readPosted = false;   // a read event waits for its re-enable
    bool writeWanted = false;  // a send would block: report the next chance
    bool closePosted = false;
};

// One thread's queue. Other threads only post and send into it; timers and
// sockets are served by the owner's pump.
class ThreadQueue {
  public:
    std::mutex mutex;
    std::condition_variable arrived;  // notified whenever a message is queued
    std::deque<QueuedMessage> sent;
    std::deque<QueuedMessage> posted;
    std::vector<WindowTimer> timers;
    std::vector<SocketWatch> sockets;
    bool alive = true;
    std::unique_ptr<QueueDoorbell> doorbell;  // made and ended on the owner thread

    bool Enqueue(QueuedMessage message);
    std::optional<QueuedMessage> TakeNext(bool sentOnly);
    size_t PendingCount();
    // Waits up to waitMs for a sent or posted message; true when one is queued
    // (QueueDoorbell.cpp, QueueDoorbell_win.cpp: it waits as the system does).
    bool WaitForMessage(uint32_t waitMs);
    void ForgetWindow(uintptr_t window);
    // The owner thread ends: refuse new messages, release every sender.
    void Shutdown();
};

// The calling thread's queue; null once the thread is ending.
std::shared_ptr<ThreadQueue> CurrentThreadQueue();

// Marks the calling thread as serving its queue for the object's lifetime.
class ServingQueue {
  public:
    ServingQueue();
    ~ServingQueue();
    ServingQueue(const ServingQueue&) = delete;
    ServingQueue& operator=(const ServingQueue&) = delete;

  private:
    bool outer_;
};
bool ServingThreadQueue();

struct WindowRecord {
    uintptr_t id = 0;
    uintptr_t parent = 0;
    std::weak_ptr<ThreadQueue> queue;
    const ThreadQueue* queueIdentity = nullptr;
    std::thread::id owner;
    WindowProc proc;
    bool destroying = false;
};

// Every live window of the process. Deliberately never destroyed, so that
// library destructors that run at process exit can still close their windows.
class WindowRegistry {
  public:
    static WindowRegistry& Instance();

    uintptr_t Add(std::shared_ptr<WindowRecord> record);
    std::shared_ptr<WindowRecord> Find(uintptr_t id);
    void Remove(uintptr_t id);
    std::vector<uintptr_t> ChildrenOf(uintptr_t id);
    // Drops every window of a queue whose thread ends, without handlers.
    void RemoveAllOf(const ThreadQueue* queue);

  private:
    std::mutex mutex_;
    std::unordered_map<uintptr_t, std::shared_ptr<WindowRecord>> windows_;
    uintptr_t next_ = 0x10000;
};

inline uintptr_t IdOf(WindowHandle window) { return reinterpret_cast<uintptr_t>(window); }
inline WindowHandle HandleOf(uintptr_t id) { return reinterpret_cast<WindowHandle>(id); }

// Runs a message's handler (if the window still lives) and answers its sender.
void Dispatch(const QueuedMessage& message);

// Served by the pump before messages are dispatched.
void PollSockets(ThreadQueue& queue);
void QueueDueTimers(ThreadQueue& queue);

}  // namespace tb::platform::detail
