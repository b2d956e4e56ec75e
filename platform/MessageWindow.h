// Message windows: the stand-in for the hidden windows and dialogs that the
// LAN path and the socket library drive with window messages.
//
// A message window is a handle with a handler. It belongs to the thread that
// created it; messages posted to it (from any thread) wait in that thread's
// queue until the thread pumps (MessageQueue.h). Sending runs the handler on
// the owner thread and waits for its result, but never for ever: a window that
// is destroyed or a thread that ends releases every waiting sender.
//
// Handles are opaque numbers, never reused, so a stale handle is harmless:
// every call on it simply fails.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/Api.h"

struct VkWindow;  // never defined: a handle is only a number

namespace tb::platform {

using WindowHandle = VkWindow*;

// Message numbers the platform itself gives meaning to.
inline constexpr uint32_t kWmDestroy = 0x0002;
inline constexpr uint32_t kWmClose = 0x0010;
inline constexpr uint32_t kWmCommand = 0x0111;
inline constexpr uint32_t kWmTimer = 0x0113;
inline constexpr uint32_t kWmUser = 0x0400;

// Command id of a dialog's cancel/abort button (wParam of kWmCommand).
inline constexpr uintptr_t kIdCancel = 2;

using WindowProc = std::function<intptr_t(WindowHandle window, uint32_t message, uintptr_t wParam,
                                          intptr_t lParam)>;

// Creates a window owned by the calling thread. When the parent is destroyed,
// its children are destroyed first.
TB_PLATFORM_API WindowHandle CreateMessageWindow(WindowProc proc, WindowHandle parent = nullptr);

// Destroys a window of the calling thread: its children first, then kWmDestroy
// to its handler, then the handle dies. Pending messages to it are dropped.
// Returns false for an unknown handle or a window of another thread.
TB_PLATFORM_API bool DestroyMessageWindow(WindowHandle window);

TB_PLATFORM_API bool IsMessageWindow(WindowHandle window);

// What a handler passes on for messages it does not handle itself:
// kWmClose destroys the window, everything else returns 0.
TB_PLATFORM_API intptr_t DefaultWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                                           intptr_t lParam);

// Queues a message for the window's thread. False when the window is gone.
TB_PLATFORM_API bool PostWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam = 0,
                                       intptr_t lParam = 0);

// Runs the handler on the window's thread and returns its result; on the
// owner thread the handler is called directly. While waiting, the calling
// thread serves messages sent to its own windows. Empty when the window is
// gone, or is destroyed or its thread ends before the handler has run.
TB_PLATFORM_API std::optional<intptr_t> TrySendWindowMessage(WindowHandle window, uint32_t message,
                                                             uintptr_t wParam = 0,
                                                             intptr_t lParam = 0);

// TrySendWindowMessage with 0 for a message that could not be delivered.
TB_PLATFORM_API intptr_t SendWindowMessage(WindowHandle window, uint32_t message,
                                           uintptr_t wParam = 0, intptr_t lParam = 0);

// Timers: every intervalMs (on the platform clock) the owner thread's pump
// delivers kWmTimer with wParam = id. Setting an existing id restarts it.
TB_PLATFORM_API bool SetWindowTimer(WindowHandle window, uintptr_t id, uint32_t intervalMs);
TB_PLATFORM_API bool KillWindowTimer(WindowHandle window, uintptr_t id);

}  // namespace tb::platform
