#include <winsock2.h>

#include "platform/SocketProbe.h"

namespace tb::platform::detail {
namespace {

SOCKET SocketOf(int socket) { return static_cast<SOCKET>(static_cast<unsigned>(socket)); }

}  // namespace

std::optional<SocketReadiness> ProbeSocket(int socket) {
    WSAPOLLFD probe{};
    probe.fd = SocketOf(socket);
    probe.events = POLLRDNORM | POLLWRNORM;
    if (WSAPoll(&probe, 1, 0) <= 0) return std::nullopt;
    SocketReadiness ready;
    ready.readable = probe.revents & POLLRDNORM;
    ready.writable = probe.revents & POLLWRNORM;
    ready.hangup = probe.revents & POLLHUP;
    ready.error = probe.revents & (POLLERR | POLLNVAL);
    return ready;
}

int PendingSocketError(int socket) {
    int error = 0;
    int size = sizeof error;
    if (getsockopt(SocketOf(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                   &size) != 0)
        return WSAGetLastError();
    return error;
}

bool SocketHasPeer(int socket) {
    sockaddr_storage peer{};
    int size = sizeof peer;
    return getpeername(SocketOf(socket), reinterpret_cast<sockaddr*>(&peer), &size) == 0;
}

int SocketBytesWaiting(int socket) {
    u_long count = 0;
    return ioctlsocket(SocketOf(socket), FIONREAD, &count) == 0 ? static_cast<int>(count) : 0;
}

}  // namespace tb::platform::detail
