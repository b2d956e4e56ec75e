#pragma once

#include "sim/main/Family.h"

namespace tb::sim {

// Simulated USB base units, each with a stand-in logger behind it.
Family BaseUnitFamily();

}  // namespace tb::sim
