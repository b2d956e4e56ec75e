// What the base-unit and model-890 pages use of the command client: the
// connection checks and the correction operations.
#pragma once

#include "client/BaseUnitDiscovery.h"
#include "client/CorrectionOperations.h"
#include "client/ReservedComPorts.h"
