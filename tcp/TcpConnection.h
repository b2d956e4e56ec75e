// Starting and closing the thread's TCP connection.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tcp/ConnectionState.h"

namespace tb::tcp {

// Creates a non-blocking socket whose events go to the status dialog, resolves
// the host (first IPv4 address) and starts connecting. The outcome of the
// connect arrives later as a socket event. False when nothing was started.
bool StartConnection(ConnectionState& state);

// Stops the events, shuts the socket down both ways and closes it.
void CloseConnection(ConnectionState& state);

// Sends without waiting: the count sent, or -1 (wouldBlock tells whether the
// send only has to wait for room).
int SendNow(int socket, const uint8_t* data, size_t count, bool& wouldBlock);

// Receives without waiting: the count received, 0 when nothing waits or the
// socket failed.
int ReceiveNow(int socket, uint8_t* buffer, size_t size);

// SendNow and ReceiveNow are socket calls: TcpSocket.cpp, TcpSocket_win.cpp.

}  // namespace tb::tcp
