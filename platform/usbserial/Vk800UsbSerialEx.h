// C interface of the USB serial port library (libVk800UsbSerialEx.so).
// A handle is the operating system's descriptor of the opened port.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

int Vk800UsbSerialEx_CheckPort(const char* vidPid /* "%04x-%04x" */, uint8_t ports[256]);
int Vk800UsbSerialEx_OpenComm(int port, int rxSize, int txSize, int baud, uint32_t* handle);
int Vk800UsbSerialEx_WriteComm(uint32_t handle, const uint8_t* data, int count);
int Vk800UsbSerialEx_ReadComm(uint32_t handle, uint8_t* buffer, int count);
int Vk800UsbSerialEx_ReadCommWait(uint32_t handle, int waitMs, uint8_t* buffer, int count,
                                  int interval);
int Vk800UsbSerialEx_FlushComm(uint32_t handle, int selector);
void Vk800UsbSerialEx_CloseComm(uint32_t handle);

#ifdef __cplusplus
}
#endif
