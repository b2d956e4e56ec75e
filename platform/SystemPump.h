// The operating system's own message pump, run by every wait of a thread
// that has no pump hook (Pump.h), and by the message-queue pump before it
// serves the queue (MessageQueue.h).
//
// Windows (SystemPump_win.cpp): PeekMessage, TranslateMessage and
// DispatchMessage until the thread's queue is empty, so a program's windows
// stay served while a library call waits on its thread. Linux
// (SystemPump.cpp): the system has no per-thread message queue; a program's
// event loop is reached through its hook only.
#pragma once

namespace tb::platform::detail {

void PumpSystemMessages();

}  // namespace tb::platform::detail
