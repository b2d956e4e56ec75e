#pragma once

#include "sim/main/Family.h"

namespace tb::sim {

// Echo devices: a placeholder family for trying the bench by hand.
Family EchoFamily();

}  // namespace tb::sim
