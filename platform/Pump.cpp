#include "platform/Pump.h"

#include <utility>

#include "platform/SystemPump.h"

namespace tb::platform {
namespace {

struct ThreadPump {
    PumpHook hook;
    bool running = false;
};

ThreadPump& CurrentThreadPump() {
    thread_local ThreadPump pump;
    return pump;
}

}  // namespace

PumpHook& CurrentThreadPumpHook() { return CurrentThreadPump().hook; }

void InstallPumpHook(PumpHook hook) { CurrentThreadPump().hook = std::move(hook); }

void PumpPendingMessages() {
    ThreadPump& pump = CurrentThreadPump();
    if (pump.running) return;
    if (!pump.hook) {
        pump.running = true;
        detail::PumpSystemMessages();
        pump.running = false;
        return;
    }
    pump.running = true;
    // Copy first: the hook may replace itself while it runs.
    PumpHook hook = pump.hook;
    try {
        hook();
    } catch (...) {
        // An event handler's exception must not unwind through a device wait.
    }
    pump.running = false;
}

}  // namespace tb::platform
