// Names of the simulated loggers' faults, as trimbench-sim takes them.
#pragma once

#include <optional>
#include <string>

#include "sim/core/Faults.h"
#include "sim/lgr87x/Lgr87xLogger.h"

namespace tb::sim {

// "recording", "refusal", "status35", "block-skip", "sensor-crc", "over-report".
std::optional<Lgr87xFault> Lgr87xFaultByName(const std::string& name);

// Line faults on the logger's replies: "silence", "short" (half the reply),
// "garble" (the last check byte flipped).
std::optional<Fault> Lgr87xLineFaultByName(const std::string& name, int count);

// The names above, for help texts.
std::string Lgr87xFaultNames();

}  // namespace tb::sim
