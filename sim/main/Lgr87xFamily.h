#pragma once

#include "sim/main/Family.h"

namespace tb::sim {

// Direct-USB loggers of models 870 and 875.
Family Lgr87xFamily();

}  // namespace tb::sim
