// Reads the general-purpose pins of the logger's USB bridge through the
// bridge's run-time library, loaded by name. Bit 3 set marks a logger.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/ScopedSwap.h"

namespace tb::modelcom {

enum class LatchOutcome {
    kRead,            // latch written
    kRuntimeMissing,  // neither run-time library (or its entry point) could be loaded
    kUnreadable,      // loaded, but the latch could not be read
};

inline constexpr uint8_t kLoggerLatchBit = 0x08;

class LatchReader {
  public:
    virtual ~LatchReader() = default;
    virtual LatchOutcome Read(uint32_t portHandle, uint8_t* latch) = 0;
};

// The reader in force: the run-time library unless a test installed another.
LatchReader& CurrentLatchReader();

// The installed reader (nullptr: the run-time library).
std::atomic<LatchReader*>& InstalledLatchReader();

// Installs a reader for the lifetime of the object (tests).
using ScopedLatchReader = platform::ScopedSwap<&InstalledLatchReader>;

}  // namespace tb::modelcom
