// The worker thread of one LAN connection. It owns an invisible dialog (a
// message window) that receives the caller's requests and the socket
// library's connect event, and the socket library's connection of its
// thread. The thread runs until its dialog is closed.
#pragma once

#include <atomic>
#include <thread>

#include "link/MngTable.h"
#include "platform/MessageWindow.h"

namespace tb::link {
class LinkLibrary;
}

namespace tb::link::lan {

class LanWorker {
  public:
    LanWorker(LinkLibrary& link, MngEntry& entry) : link_(link), entry_(entry) {}
    ~LanWorker();
    LanWorker(const LanWorker&) = delete;
    LanWorker& operator=(const LanWorker&) = delete;

    // Starts the thread; it creates its dialog and posts itself the connect
    // request. False when the thread cannot be started.
    bool Start();
    // True until the thread function has returned.
    bool Running() const { return running_.load(std::memory_order_acquire); }
    std::thread::id ThreadId() const { return thread_.get_id(); }
    // The dialog, once created and until closed; null otherwise.
    platform::WindowHandle Dialog() const;
    // Asks the dialog to close, which ends the thread.
    void Dismiss();
    // Waits for the thread to end (call after Dismiss).
    void Join();

  private:
    void Run();
    intptr_t OnMessage(platform::WindowHandle dialog, uint32_t message, uintptr_t wParam,
                       intptr_t lParam);
    void OnConnectEvent(intptr_t outcome);
    void SetDialog(platform::WindowHandle dialog);

    LinkLibrary& link_;
    MngEntry& entry_;
    std::atomic<bool> running_{false};
    std::thread thread_;
};

}  // namespace tb::link::lan
