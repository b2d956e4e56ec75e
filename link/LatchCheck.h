// The latch check: the bridge's general-purpose pins tell a base unit (bit 3
// set) from another device on the same kind of bridge. The pins are read
// through the bridge run-time library, loaded by name for each check.
#pragma once

#include <cstdint>
#include <string>

#include "platform/cp210x/LatchRuntimeLibrary.h"

namespace tb::link {

struct LatchRuntimeNames {
    std::string first = cp210x::kLatchRuntimeName;
    std::string second = cp210x::kLatchRuntimeFallbackName;
};

enum class LatchOutcome {
    BaseUnit,              // bit 3 set
    OtherDevice,           // bit 3 clear
    UnreadableBoth,        // the first library failed, and the second one too
    UnreadableSecondOnly,  // only the second library loaded, and it failed
    NoReadFunction,        // the library lacks CP210xRT_ReadLatch
    NoRuntime,             // neither library loads
};

inline constexpr uint8_t kBaseUnitLatchBit = 0x08;

LatchOutcome CheckLatch(uint32_t portHandle, const LatchRuntimeNames& names);

}  // namespace tb::link
