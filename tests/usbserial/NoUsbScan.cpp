// The port tests number only the simulated devices they create: real USB
// serial devices on the machine running them stay out of the way.
#include <stdlib.h>

#include "platform/usbserial/UsbSerialDevices.h"

namespace {
[[maybe_unused]] const bool kUsbScanOff = setenv(tb::usbserial::kUsbScanVariable, "0", 1) == 0;
}
