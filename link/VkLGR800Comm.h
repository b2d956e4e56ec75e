// C interface of the link library (libVkLGR800Comm.so).
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

int VkLGR800_GetConnectNum(uint8_t* status, int length, int productId, int skipLatch);
int VkLGR800_GetSerial(uint32_t* serials, int count, int productId, int skipLatch);
int VkLGR800_OpenUSBComm(uint32_t serial);
int VkLGR800_OpenLANComm(const char* host, int port, const char* login, uint32_t option,
                         uint32_t* key);
int VkLGR800_ClearCommBuf(uint32_t key, int selector);
int VkLGR800_SendComm(uint32_t key, const uint8_t* data, int length);
int VkLGR800_RecvComm(uint32_t key, uint8_t* buffer, int capacity, int timeoutSec);
int VkLGR800_CloseComm(uint32_t key);

#ifdef __cplusplus
}
#endif
