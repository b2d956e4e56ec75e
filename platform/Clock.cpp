#include "platform/Clock.h"

#include <chrono>
#include <thread>
#include <utility>

namespace tb::platform {
namespace {

class SystemClock : public Clock {
  public:
    uint32_t TickMs() override {
        using namespace std::chrono;
        auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
        return static_cast<uint32_t>(ms);
    }
    void SleepMs(uint32_t ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    std::time_t NowSeconds() override { return std::time(nullptr); }
};

// Never destroyed: libraries still wait on it from their unload handlers,
// which may run after the static destructors of the process.
SystemClock& TheSystemClock() {
    static SystemClock* clock = new SystemClock;
    return *clock;
}

}  // namespace

std::atomic<Clock*>& InstalledClock() {
    static std::atomic<Clock*> clock{nullptr};
    return clock;
}

Clock& CurrentClock() {
    Clock* clock = InstalledClock().load();
    return clock ? *clock : TheSystemClock();
}

void SetClock(Clock* clock) { InstalledClock().store(clock); }

uint32_t TickMs() { return CurrentClock().TickMs(); }
void SleepMs(uint32_t ms) { CurrentClock().SleepMs(ms); }
std::time_t NowSeconds() { return CurrentClock().NowSeconds(); }
uint32_t ElapsedSince(uint32_t start) { return ElapsedMs(start, TickMs()); }

VirtualClock::VirtualClock(uint32_t startTick, std::time_t startSeconds)
    : tick_(startTick), startSeconds_(startSeconds) {}

uint32_t VirtualClock::TickMs() { return tick_.load(); }

void VirtualClock::SleepMs(uint32_t ms) {
    Advance(ms);
    std::function<void(uint32_t)> observer;
    {
        std::lock_guard lock(observerMutex_);
        observer = observer_;
    }
    if (observer) observer(tick_.load());
}

std::time_t VirtualClock::NowSeconds() {
    return startSeconds_ + static_cast<std::time_t>(slept_.load() / 1000);
}

void VirtualClock::Advance(uint32_t ms) {
    tick_.fetch_add(ms);
    slept_.fetch_add(ms);
}

void VirtualClock::SetTick(uint32_t tick) { tick_.store(tick); }

void VirtualClock::OnSleep(std::function<void(uint32_t)> observer) {
    std::lock_guard lock(observerMutex_);
    observer_ = std::move(observer);
}

}  // namespace tb::platform
