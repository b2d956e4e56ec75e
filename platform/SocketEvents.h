// Asynchronous socket events delivered as window messages.
//
// A socket registered here is watched by the pump of the thread that owns the
// target window; each event arrives as `message` with wParam = the socket and
// lParam = MakeSocketEventParam(event, error). The events are one-shot until
// re-enabled:
//   connect  once, when a non-blocking connect ends (error = errno on failure);
//   write    once after connecting, then again after a send that would block
//            has been re-enabled by ReenableSocketEvent;
//   read     when data waits, then again only after ReenableSocketEvent (call
//            it after every receive);
//   close    once, when the peer has closed and every byte has been read.
#pragma once

#include <cstdint>

#include "platform/Api.h"
#include "platform/MessageWindow.h"

namespace tb::platform {

inline constexpr uint32_t kSocketRead = 0x01;
inline constexpr uint32_t kSocketWrite = 0x02;
inline constexpr uint32_t kSocketConnect = 0x10;
inline constexpr uint32_t kSocketClose = 0x20;

constexpr intptr_t MakeSocketEventParam(uint32_t event, int error) {
    return static_cast<intptr_t>((static_cast<uint32_t>(error) & 0xFFFFu) << 16 |
                                 (event & 0xFFFFu));
}
constexpr uint32_t SocketEventOf(intptr_t lParam) {
    return static_cast<uint32_t>(lParam) & 0xFFFFu;
}
constexpr int SocketErrorOf(intptr_t lParam) {
    return static_cast<int>((static_cast<uint32_t>(lParam) >> 16) & 0xFFFFu);
}

// Registers the socket for `events` (a mask of the kSocket values) to the
// window, replacing an earlier registration. The window must belong to the
// calling thread. A null window or an empty mask unregisters the socket.
TB_PLATFORM_API bool SelectSocketEvents(int socket, WindowHandle window, uint32_t message,
                                        uint32_t events);

// Re-arms a one-shot event (kSocketRead after a receive, kSocketWrite after a
// send that would block).
TB_PLATFORM_API void ReenableSocketEvent(int socket, uint32_t event);

}  // namespace tb::platform
