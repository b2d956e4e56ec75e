#include "link/diag/FlightChannel.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace tb::link::diag {
namespace {

// An address in the abstract namespace: a leading NUL, then the name.
socklen_t AbstractAddress(const std::string& name, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

}  // namespace

FlightReceiver::FlightReceiver(const std::string& name) {
    fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    sockaddr_un address;
    const socklen_t length = AbstractAddress(name, address);
    if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        error_ = errno;
        ::close(fd_);
        fd_ = -1;
    }
}

FlightReceiver::~FlightReceiver() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<std::string> FlightReceiver::Next() {
    if (fd_ < 0) return std::nullopt;
    char buffer[1024];
    const ssize_t got = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (got < 0) return std::nullopt;
    return std::string(buffer, static_cast<size_t>(got));
}

bool SendFlightLine(const std::string& name, const std::string& line) {
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    sockaddr_un address;
    const socklen_t length = AbstractAddress(name, address);
    const ssize_t sent = ::sendto(fd, line.data(), line.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&address), length);
    ::close(fd);
    return sent == static_cast<ssize_t>(line.size());
}

}  // namespace tb::link::diag
