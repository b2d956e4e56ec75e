/* A bridge run-time library for tests: the latch of each port handle is
   whatever the test configured through FakeLatch_Set. */
#include <stdint.h>

#define FAKE_EXPORT __attribute__((visibility("default")))

enum { kHandles = 300 };
static int results[kHandles];
static uint8_t latches[kHandles];

FAKE_EXPORT void FakeLatch_Set(uint32_t handle, int result, uint8_t latch) {
    if (handle >= kHandles) return;
    results[handle] = result;
    latches[handle] = latch;
}

FAKE_EXPORT int CP210xRT_ReadLatch(uint32_t handle, uint8_t* latch) {
    if (handle >= kHandles || results[handle] != 0) return -1;
    *latch = latches[handle];
    return 0;
}
