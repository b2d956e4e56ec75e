// What the socket-event pump asks the operating system about a socket, one
// source per system (SocketProbe.cpp: poll(2); SocketProbe_win.cpp: Winsock).
#pragma once

#include <optional>

namespace tb::platform::detail {

struct SocketReadiness {
    bool readable = false;  // data or an end of stream waits
    bool writable = false;  // a send would not block (a connect has ended)
    bool hangup = false;    // the peer has closed or the connection is gone
    bool error = false;     // an error is pending
};

// The socket's state now, without waiting; nothing when nothing is ready.
std::optional<SocketReadiness> ProbeSocket(int socket);
// The pending error of the socket (0 for none), as the system numbers it.
int PendingSocketError(int socket);
// True when the socket is connected to a peer.
bool SocketHasPeer(int socket);
// Bytes that can be read at once.
int SocketBytesWaiting(int socket);

}  // namespace tb::platform::detail
