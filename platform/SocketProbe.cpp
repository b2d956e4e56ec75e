#include "platform/SocketProbe.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <cerrno>

namespace tb::platform::detail {

std::optional<SocketReadiness> ProbeSocket(int socket) {
    pollfd probe{socket, POLLIN | POLLOUT | POLLRDHUP, 0};
    if (poll(&probe, 1, 0) <= 0) return std::nullopt;
    SocketReadiness ready;
    ready.readable = probe.revents & POLLIN;
    ready.writable = probe.revents & POLLOUT;
    ready.hangup = probe.revents & (POLLRDHUP | POLLHUP);
    ready.error = probe.revents & POLLERR;
    return ready;
}

int PendingSocketError(int socket) {
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0) return errno;
    return error;
}

bool SocketHasPeer(int socket) {
    sockaddr_storage peer{};
    socklen_t size = sizeof peer;
    return getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &size) == 0;
}

int SocketBytesWaiting(int socket) {
    int count = 0;
    return ioctl(socket, FIONREAD, &count) == 0 ? count : 0;
}

}  // namespace tb::platform::detail
