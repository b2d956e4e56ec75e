#include "tcp/ConnectionState.h"

#include "platform/ModuleFolder.h"
#include "tcp/TcpSocket.h"

namespace tb::tcp {

ConnectionState::~ConnectionState() {
    // The thread ends with a connection still open: its windows die with the
    // thread, the socket must not outlive it either.
    if (socket >= 0) CloseSocket(socket);
}

ConnectionState& ThisThreadConnection() {
    thread_local ConnectionState state;
    if (state.moduleFolder.empty())
        state.moduleFolder =
            platform::ModuleFolder(reinterpret_cast<const void*>(&ThisThreadConnection));
    return state;
}

}  // namespace tb::tcp
