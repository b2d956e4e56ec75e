// The per-thread message-pump hook.
//
// Every wait of the program and of the libraries calls PumpPendingMessages()
// between short sleeps so that the calling thread keeps serving its events:
// the GUI thread installs Qt's event processing, worker threads install the
// pump of their own message queue. A thread without a hook pumps the
// system's messages of the thread (SystemPump.h: on Windows PeekMessage,
// TranslateMessage and DispatchMessage; nothing on Linux).
#pragma once

#include <functional>

#include "platform/Api.h"
#include "platform/ScopedSwap.h"

namespace tb::platform {

using PumpHook = std::function<void()>;

// Installs the hook of the calling thread; an empty hook removes it.
TB_PLATFORM_API void InstallPumpHook(PumpHook hook);

// Runs the calling thread's hook once, if it has one. A hook that pumps
// again from inside itself is not re-entered.
TB_PLATFORM_API void PumpPendingMessages();

// The calling thread's hook slot (empty: the system's pump).
TB_PLATFORM_API PumpHook& CurrentThreadPumpHook();

// Installs a hook on the calling thread for the lifetime of the object and
// restores the previous one.
using ScopedPumpHook = ScopedSwap<&CurrentThreadPumpHook>;

}  // namespace tb::platform
