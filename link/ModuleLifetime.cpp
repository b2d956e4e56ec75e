#include "link/ModuleLifetime.h"

namespace tb::link {

bool StayLoadedUntilProcessExit() { return false; }

}  // namespace tb::link
