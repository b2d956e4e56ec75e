// C interface of the USB bridge run-time library (libCP210xRuntime.so),
// loaded by name with dlopen by its users.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

int CP210xRT_ReadLatch(uint32_t handle, uint8_t* latch); /* 0 = success */

#ifdef __cplusplus
}
#endif
