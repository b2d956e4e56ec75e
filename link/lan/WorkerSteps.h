// What a LAN worker thread does for each request, on its own thread and
// through the socket library's connection of that thread.
#pragma once

#include "link/MngTable.h"
#include "platform/MessageWindow.h"

namespace tb::link {
class LinkLibrary;
}

namespace tb::link::lan {

// Connects to the entry's host and port with `dialog` as the socket library's
// notify window, then waits (at most kConnectTimeoutSec) for the connect
// state that the connect event and the login set. kStepSucceeded, or -20,
// -29 or -30.
int ConnectStep(LinkLibrary& link, MngEntry& entry, platform::WindowHandle dialog);

// The login dialogue on a fresh connection: 0, or -25, -26, -28 or -29.
int LoginStep(LinkLibrary& link, const MngEntry& entry);

// Sends what the entry's send buffer holds, moving the unsent rest to the
// front; kStepSucceeded when all went, kStepFailed on an error or after
// kSendTimeoutMs.
int SendStep(LinkLibrary& link, MngEntry& entry);

// Receives one frame into the entry (the frame reception over the socket
// library); on failure both buffers are released.
void ReceiveStep(LinkLibrary& link, MngEntry& entry);

}  // namespace tb::link::lan
