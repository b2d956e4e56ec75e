#pragma once

#include "sim/main/Family.h"

namespace tb::sim {

// Base units on the LAN: each listens on a loopback TCP port, which is
// printed when the bench starts, with a simulated logger behind it.
Family LanFamily();

}  // namespace tb::sim
