#include <windows.h>

#include "platform/MessageQueue.h"
#include "platform/QueueDoorbell.h"
#include "platform/ThreadQueue.h"

namespace tb::platform::detail {
namespace {

constexpr UINT kQueuedMessage = WM_APP + 0x2B0;
constexpr wchar_t kClassName[] = L"TrimbenchMessageQueue";

HINSTANCE ThisModule() {
    HMODULE self = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &self);
    return self;
}

// The queue's window: a queued message is dispatched here, unless the
// thread is already serving its queue (the doorbell was rung while it
// pumps), in which case that pump takes it.
LRESULT CALLBACK QueueWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kQueuedMessage) {
        if (!ServingThreadQueue()) PumpThreadMessages();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterQueueClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = QueueWindowProc;
        windowClass.hInstance = ThisModule();
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

}  // namespace

bool ProcessIsEnding() {
    using ShutdownInProgress = BOOLEAN(WINAPI*)();
    static const auto inProgress = reinterpret_cast<ShutdownInProgress>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlDllShutdownInProgress")));
    return inProgress && inProgress();
}

QueueDoorbell::QueueDoorbell() {
    if (!RegisterQueueClass()) return;
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              ThisModule(), nullptr);
}

// The doorbell ends as its thread ends, and the system destroys a thread's
// windows with the thread; destroying it here could run inside the loader's
// lock when the process exits, where it may wait for ever.
QueueDoorbell::~QueueDoorbell() = default;

void QueueDoorbell::Ring() {
    if (window_) PostMessageW(static_cast<HWND>(window_), kQueuedMessage, 0, 0);
}

bool ThreadQueue::WaitForMessage(uint32_t waitMs) {
    auto waiting = [this] {
        std::lock_guard lock(mutex);
        return !sent.empty() || !posted.empty();
    };
    if (waiting()) return true;
    // Wakes on the doorbell's message as on any other of the thread.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
    return waiting();
}

}  // namespace tb::platform::detail
