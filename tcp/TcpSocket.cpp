// The TCP connection's socket calls over POSIX sockets.
#include "tcp/TcpSocket.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>

#include "tcp/TcpConnection.h"

namespace tb::tcp {

int OpenNonBlockingSocket() {
    const int created = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    return created < 0 ? -1 : created;
}

bool StartConnect(int socket, const sockaddr_in& address) {
    return ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
           errno == EINPROGRESS;
}

void ShutdownSocket(int socket) { ::shutdown(socket, SHUT_RDWR); }

void CloseSocket(int socket) { ::close(socket); }

KeepSocketError::KeepSocketError() : saved_(errno) {}

KeepSocketError::~KeepSocketError() { errno = saved_; }

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
