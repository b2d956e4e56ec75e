// The base-unit loggers and the model-890 cable as the command client
// reaches them.
#pragma once

#include <cstdint>
#include <memory>

#include "pages/BaseUnitLogger.h"

namespace tb::pages {

// A one-channel logger (820/821) behind the first base unit found.
std::unique_ptr<BaseUnitLogger> MakeBaseUnitLogger();
// The model-890 logger on its serial cable.
std::unique_ptr<BaseUnitLogger> MakeLgr890CableLogger();
// The temperature/humidity logger 830 or 835 (both channels).
std::unique_ptr<BaseUnitLogger> MakeLgr830Logger();
std::unique_ptr<BaseUnitLogger> MakeLgr835Logger();
// The multi-input logger 850 with input kind 0 (thermocouple) to 4
// (noise/vibration), its codes at the given scales.
std::unique_ptr<BaseUnitLogger> MakeMultiInputLogger(int inputKind, uint16_t slopeScale,
                                                     uint16_t offsetScale);

}  // namespace tb::pages
