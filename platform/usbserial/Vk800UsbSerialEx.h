// C interface of the USB serial port library (libVk800UsbSerialEx.so).
// A handle is the operating system's descriptor of the opened port.
//
// Ports are addressed by COM number 1..256; ComPortMap.h says how numbers
// map to devices (simulated ones from the TRIMBENCH_DEVICE_MAP file, real
// USB serial devices found by vendor and product id).
//
//  CheckPort     vidPid "vvvv-pppp"; 0 when a device with that id is
//                attached (ports[n-1] set to 1 for each of its COM numbers
//                n; other entries untouched), -1 when none, -2 on bad
//                arguments.
//  OpenComm      0 and *handle written; -7 when another opener holds the
//                port (exclusive flock, which the simulator's busy fault
//                takes too); -4 when it cannot be opened (unknown number,
//                not a terminal device, unsupported baud rate). Raw 8N1,
//                no flow control; bytes received before the open are
//                discarded. rxSize and txSize are not used.
//  WriteComm     the count written, or -6.
//  ReadComm      returns at once: 0..count bytes already received, or -5.
//  ReadCommWait  returns as soon as `count` bytes are in, or when waitMs
//                has run out with fewer; -5 on a port error. `interval` is
//                the period in milliseconds at which the wait pumps the
//                calling thread's pending messages (platform pump hook);
//                below 1 counts as 1.
//  FlushComm     selector 0 discards the bytes received and not yet read,
//                1 the bytes written and not yet sent; 1 on success, 0 on
//                failure or another selector.
//  CloseComm     releases the port; unknown handles are ignored.
// Handles that this library did not hand out are refused by every call.
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
