#include "tcp/TcpConnection.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/SocketEvents.h"

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

void Discard(ConnectionState& state) {
    const int saved = errno;
    platform::SelectSocketEvents(state.socket, nullptr, 0, 0);
    ::close(state.socket);
    state.socket = -1;
    errno = saved;
}

}  // namespace

bool StartConnection(ConnectionState& state) {
    if (state.host.empty() || state.connected || state.port == 0) return false;
    state.socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (state.socket < 0) return false;
    if (!platform::SelectSocketEvents(state.socket, state.dialog, kSocketEventMessage,
                                      kWatchedEvents)) {
        Discard(state);
        return false;
    }
    sockaddr_in address{};
    if (!ResolveFirstIpv4(state.host, state.port, address)) {
        Discard(state);
        return false;
    }
    if (::connect(state.socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno != EINPROGRESS) {
        Discard(state);
        return false;
    }
    state.connected = true;
    return true;
}

void CloseConnection(ConnectionState& state) {
    if (state.socket >= 0) {
        platform::SelectSocketEvents(state.socket, nullptr, 0, 0);
        ::shutdown(state.socket, SHUT_RDWR);
        ::close(state.socket);
        state.socket = -1;
    }
    state.connected = false;
    state.dialogReady = false;
}

int SendNow(int socket, const uint8_t* data, size_t count, bool& wouldBlock) {
    const ssize_t sent = ::send(socket, data, count, MSG_NOSIGNAL | MSG_DONTWAIT);
    wouldBlock = sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    return sent < 0 ? -1 : static_cast<int>(sent);
}

int ReceiveNow(int socket, uint8_t* buffer, size_t size) {
    const ssize_t received = ::recv(socket, buffer, size, MSG_DONTWAIT);
    return received > 0 ? static_cast<int>(received) : 0;
}

}  // namespace tb::tcp
