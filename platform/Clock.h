// The millisecond clock of every wait, time-out and retry.
//
// The tick is an unsigned 32-bit millisecond counter that wraps like the
// platform's tick count; always compare ticks through ElapsedMs(). Tests
// replace the system clock with a VirtualClock so that time-outs run on
// virtual time.
#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>

#include "platform/Api.h"
#include "platform/ScopedSwap.h"

namespace tb::platform {

class TB_PLATFORM_API Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t TickMs() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
    // Local wall-clock seconds since the epoch (time stamps in logs and records).
    virtual std::time_t NowSeconds() = 0;
};

// The clock in force for the whole process (the system clock unless a test
// installed another). Passing nullptr restores the system clock.
TB_PLATFORM_API Clock& CurrentClock();
TB_PLATFORM_API void SetClock(Clock* clock);

TB_PLATFORM_API uint32_t TickMs();
TB_PLATFORM_API void SleepMs(uint32_t ms);
TB_PLATFORM_API std::time_t NowSeconds();

// Milliseconds from start to now as an unsigned 32-bit difference, so a wrap
// of the counter between the two readings does no harm.
inline uint32_t ElapsedMs(uint32_t start, uint32_t now) { return now - start; }
TB_PLATFORM_API uint32_t ElapsedSince(uint32_t start);

// A clock whose time moves only when someone sleeps on it or advances it.
// Thread-safe. An optional observer runs after every sleep, so a test can
// let things happen "during" a wait.
class TB_PLATFORM_API VirtualClock : public Clock {
public:
    explicit VirtualClock(uint32_t startTick = 0, std::time_t startSeconds = 1700000000);
    uint32_t TickMs() override;
    void SleepMs(uint32_t ms) override;
    std::time_t NowSeconds() override;

    void Advance(uint32_t ms);
    void SetTick(uint32_t tick);
    uint64_t TotalSleptMs() const { return slept_.load(); }
    void OnSleep(std::function<void(uint32_t tick)> observer);

private:
    std::atomic<uint32_t> tick_;
    std::atomic<uint64_t> slept_{0};
    std::time_t startSeconds_;
    std::mutex observerMutex_;
    std::function<void(uint32_t)> observer_;
};

// The installed clock (nullptr: the system clock).
TB_PLATFORM_API std::atomic<Clock*>& InstalledClock();

// Installs a clock for the lifetime of the object (tests).
using ScopedClock = ScopedSwap<&InstalledClock>;

}  // namespace tb::platform
