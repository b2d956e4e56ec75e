#include "platform/SystemPump.h"

namespace tb::platform::detail {

void PumpSystemMessages() {}

}  // namespace tb::platform::detail
