// Starting and closing the thread's TCP connection.
#pragma once

#include "tcp/ConnectionState.h"

namespace tb::tcp {

// Creates a non-blocking socket whose events go to the status dialog, resolves
// the host (first IPv4 address) and starts connecting. The outcome of the
// connect arrives later as a socket event. False when nothing was started.
bool StartConnection(ConnectionState& state);

// Stops the events, shuts the socket down both ways and closes it.
void CloseConnection(ConnectionState& state);

}  // namespace tb::tcp
