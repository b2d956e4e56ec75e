// On Windows a real bridge's latch is read by the bridge maker's own
// run-time library, installed with its driver; this stand-in answers for
// the simulated devices only, so a real bridge's latch is never invented.
#include "platform/cp210x/GpioLatch.h"

namespace tb::cp210x {

std::optional<uint8_t> GpioLatch(int) { return std::nullopt; }

}  // namespace tb::cp210x
