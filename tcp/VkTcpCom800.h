/* C interface of the LAN socket library (libVkTcpCom800.so).
 *
 * One TCP client connection per calling thread, driven by the thread's
 * message windows: socket events go to a hidden status dialog that the
 * library owns, and the connect result is posted to the window chosen with
 * VkTcpCom_SetHWND (wParam 0 connected, -13 refused). Every call must come
 * from the thread that called VkTcpCom_Connect, and that thread must pump its
 * messages. */
#ifndef VKTCPCOM800_H
#define VKTCPCOM800_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct VkWindow* VkWindowHandle; /* a message window of the platform layer */

int VkTcpCom_SetHWND(VkWindowHandle window, uint32_t message);
int VkTcpCom_Connect(const char* host, int port);
int VkTcpCom_Send(const uint8_t* data, int length);
int VkTcpCom_Recv(uint8_t* buffer, int size);
int VkTcpCom_DisConnect(void);

#ifdef __cplusplus
}
#endif

#endif /* VKTCPCOM800_H */
