// The thread's TCP connection: a non-blocking socket whose events the status
// dialog's thread receives (platform/SocketEvents.h). The flow is the same on
// every system; the socket calls are TcpSocket.h's.
#include "tcp/TcpConnection.h"

#include "platform/SocketEvents.h"
#include "tcp/TcpSocket.h"

namespace tb::tcp {
namespace {

constexpr uint32_t kWatchedEvents = platform::kSocketRead | platform::kSocketWrite |
                                    platform::kSocketConnect | platform::kSocketClose;

bool ResolveFirstIpv4(const std::string& host, uint16_t port, sockaddr_in& address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
    address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    address.sin_port = htons(port);
    freeaddrinfo(found);
    return true;
}

// Gives up a connection that did not start.
bool Discard(ConnectionState& state) {
    const KeepSocketError keep;
    platform::SelectSocketEvents(state.socket, nullptr, 0, 0);
    CloseSocket(state.socket);
    state.socket = -1;
    return false;
}

}  // namespace

bool StartConnection(ConnectionState& state) {
    if (state.host.empty() || state.connected || state.port == 0) return false;
    state.socket = OpenNonBlockingSocket();
    if (state.socket < 0) return false;
    if (!platform::SelectSocketEvents(state.socket, state.dialog, kSocketEventMessage,
                                      kWatchedEvents))
        return Discard(state);
    sockaddr_in address{};
    if (!ResolveFirstIpv4(state.host, state.port, address)) return Discard(state);
    if (!StartConnect(state.socket, address)) return Discard(state);
    state.connected = true;
    return true;
}

void CloseConnection(ConnectionState& state) {
    if (state.socket >= 0) {
        platform::SelectSocketEvents(state.socket, nullptr, 0, 0);
        ShutdownSocket(state.socket);
        CloseSocket(state.socket);
        state.socket = -1;
    }
    state.connected = false;
    state.dialogReady = false;
}

}  // namespace tb::tcp
