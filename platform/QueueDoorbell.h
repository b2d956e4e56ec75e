// How a message queued for a thread (ThreadQueue.h) reaches that thread.
//
// Linux (QueueDoorbell.cpp): the queue's condition variable wakes the owner
// when it waits; ringing does nothing more.
// Windows (QueueDoorbell_win.cpp): each thread's queue has a message-only
// window. Ringing posts a message to it, so the message travels through the
// thread's Windows message queue; when the thread pumps (PeekMessage and
// DispatchMessage, or a program's own GetMessage loop), the window's
// procedure dispatches the waiting messages of the queue. Waits wake on any
// Windows message of the thread.
#pragma once

#include <cstdint>

namespace tb::platform::detail {

// True while the process ends. Windows ends every other thread first, so a
// lock one of them held stays taken for ever: a queue ending then must not
// take locks (QueueDoorbell_win.cpp). Never on Linux, whose threads end
// their queues themselves.
bool ProcessIsEnding();

class QueueDoorbell {
  public:
    // Made on the thread that owns the queue.
    QueueDoorbell();
    ~QueueDoorbell();
    QueueDoorbell(const QueueDoorbell&) = delete;
    QueueDoorbell& operator=(const QueueDoorbell&) = delete;

    // From any thread: a message waits in the queue.
    void Ring();

  private:
    void* window_ = nullptr;  // the message-only window (Windows)
};

}  // namespace tb::platform::detail
