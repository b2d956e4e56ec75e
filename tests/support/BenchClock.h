// Virtual time far ahead of real time for tests against the bench: a
// virtual millisecond passes only once the bench has taken in every byte
// written so far and has nothing left under way. A reply costs the virtual
// time it costs on a quiet machine however long the bench's thread waits
// for a processor, and the waits for a silent device cost little.
#pragma once

#include "platform/Clock.h"
#include "sim/core/Bench.h"

namespace tb::testsupport {

class BenchClock {
  public:
    explicit BenchClock(const sim::Bench& bench) {
        clock_.OnSleep([&bench](uint32_t) { bench.WaitUntilIdle(); });
    }

  private:
    platform::VirtualClock clock_;
    platform::ScopedClock scoped_{clock_};
};

}  // namespace tb::testsupport
