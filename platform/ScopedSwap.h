// The process-wide swap points that tests use to put a stand-in in place of
// a real collaborator (the clock, the port layer, the link calls, ...).
//
// A swap point is a slot, reached through a function that returns it (a
// function-local static, so it exists before first use). ScopedSwap puts a
// value in the slot for the lifetime of the object and restores the previous
// one when it goes. A slot holding a pointer can be given the object itself.
// A slot may be a std::atomic when other threads read it, or a LockedSlot
// when its value cannot be atomic (a std::function).
#pragma once

#include <atomic>
#include <mutex>
#include <type_traits>
#include <utility>

namespace tb::platform {

template <typename Slot>
struct SwapSlot {
    using Value = Slot;
    static Value Exchange(Slot& slot, Value value) { return std::exchange(slot, std::move(value)); }
};

template <typename T>
struct SwapSlot<std::atomic<T>> {
    using Value = T;
    static Value Exchange(std::atomic<T>& slot, Value value) { return slot.exchange(value); }
};

// A slot whose value is read and replaced under its own lock.
template <typename T>
class LockedSlot {
  public:
    T Get() const {
        std::lock_guard lock(mutex_);
        return value_;
    }
    T Exchange(T value) {
        std::lock_guard lock(mutex_);
        return std::exchange(value_, std::move(value));
    }

  private:
    mutable std::mutex mutex_;
    T value_{};
};

template <typename T>
struct SwapSlot<LockedSlot<T>> {
    using Value = T;
    static Value Exchange(LockedSlot<T>& slot, Value value) {
        return slot.Exchange(std::move(value));
    }
};

template <auto SlotOf>
class ScopedSwap {
    using Slot = std::remove_reference_t<decltype(SlotOf())>;
    using Value = typename SwapSlot<Slot>::Value;

  public:
    explicit ScopedSwap(Value value)
        : previous_(SwapSlot<Slot>::Exchange(SlotOf(), std::move(value))) {}
    explicit ScopedSwap(std::remove_pointer_t<Value>& target) requires std::is_pointer_v<Value>
        : ScopedSwap(&target) {}
    ~ScopedSwap() { SwapSlot<Slot>::Exchange(SlotOf(), std::move(previous_)); }
    ScopedSwap(const ScopedSwap&) = delete;
    ScopedSwap& operator=(const ScopedSwap&) = delete;

  private:
    Value previous_;
};

}  // namespace tb::platform
