#pragma once

#include "sim/main/Family.h"

namespace tb::sim {

// Loggers behind simulated base units, and the model-890 logger on its cable.
Family LoggersFamily();

}  // namespace tb::sim
