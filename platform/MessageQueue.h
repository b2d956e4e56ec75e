// The per-thread message queue behind message windows, and its pump.
//
// Every thread gets a queue on first use. Pumping serves, in this order, the
// thread's system messages (SystemPump.h), the sockets registered for
// asynchronous events (SocketEvents.h), the due timers, messages sent from
// other threads and finally posted messages. On Windows a queued message
// also reaches the thread through its message-only window (QueueDoorbell.h).
#pragma once

#include <cstdint>

#include "platform/Api.h"
#include "platform/Pump.h"

namespace tb::platform {

// Dispatches every message that is pending when the call starts (messages
// posted by the handlers meanwhile wait for the next call). Returns how many
// were dispatched.
TB_PLATFORM_API int PumpThreadMessages();

// Dispatches at most one message; false when there was none.
TB_PLATFORM_API bool DispatchOneMessage();

// Waits up to waitMs for a message sent or posted to the calling thread, and
// returns as soon as one arrives. Sockets and timers are not watched: a loop
// that serves them too waits in short steps.
TB_PLATFORM_API void WaitForThreadMessage(uint32_t waitMs);

// A pump hook (Pump.h) that pumps the calling thread's message queue. Threads
// that own message windows and wait through PumpPendingMessages() install it.
TB_PLATFORM_API PumpHook MessageQueuePumpHook();

}  // namespace tb::platform
