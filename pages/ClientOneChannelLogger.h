// The one-channel loggers as the command client reaches them.
#pragma once

#include <memory>

#include "pages/OneChannelLogger.h"

namespace tb::pages {

// A one-channel logger (820/821) behind the first base unit found.
std::unique_ptr<OneChannelLogger> MakeBaseUnitLogger();
// The model-890 logger on its serial cable.
std::unique_ptr<OneChannelLogger> MakeLgr890CableLogger();

}  // namespace tb::pages
