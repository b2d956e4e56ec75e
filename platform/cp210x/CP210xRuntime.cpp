// The export of the USB bridge run-time stand-in: the latch byte of the
// port whose descriptor is the handle. Simulated devices answer from the
// device map; a real bridge through its GPIO character device; anything
// else fails.
#include "platform/cp210x/CP210xRuntime.h"

#include <climits>

#include "platform/cp210x/GpioLatch.h"
#include "platform/cp210x/SimulatedLatch.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;

int ReadLatch(uint32_t handle, uint8_t* latch) {
    if (latch == nullptr || handle > INT_MAX) return kFailure;
    int fd = static_cast<int>(handle);
    auto value = tb::cp210x::SimulatedLatch(fd);
    if (!value) value = tb::cp210x::GpioLatch(fd);
    if (!value) return kFailure;
    *latch = *value;
    return kSuccess;
}

}  // namespace

extern "C" TB_EXPORT int CP210xRT_ReadLatch(uint32_t handle, uint8_t* latch) {
    try {
        return ReadLatch(handle, latch);
    } catch (...) {
        return kFailure;
    }
}
