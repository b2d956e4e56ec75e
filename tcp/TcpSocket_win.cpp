// The TCP connection's socket calls over Winsock.
#include <mutex>

#include "tcp/TcpConnection.h"
#include "tcp/TcpSocket.h"

namespace tb::tcp {
namespace {

// Winsock 2.2 for the life of the process.
bool WinsockReady() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] {
        WSADATA data{};
        ready = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    });
    return ready;
}

SOCKET SocketOf(int socket) { return static_cast<SOCKET>(static_cast<unsigned>(socket)); }

}  // namespace

int OpenNonBlockingSocket() {
    if (!WinsockReady()) return -1;
    SOCKET created = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (created == INVALID_SOCKET) return -1;
    u_long nonBlocking = 1;
    // Winsock's socket numbers are small; one the int cannot carry is refused.
    if (created > 0x7FFFFFFF || ioctlsocket(created, FIONBIO, &nonBlocking) != 0) {
        ::closesocket(created);
        return -1;
    }
    SetHandleInformation(reinterpret_cast<HANDLE>(created), HANDLE_FLAG_INHERIT, 0);
    return static_cast<int>(created);
}

bool StartConnect(int socket, const sockaddr_in& address) {
    return ::connect(SocketOf(socket), reinterpret_cast<const sockaddr*>(&address),
                     sizeof address) == 0 ||
           WSAGetLastError() == WSAEWOULDBLOCK;
}

void ShutdownSocket(int socket) { ::shutdown(SocketOf(socket), SD_BOTH); }

void CloseSocket(int socket) { ::closesocket(SocketOf(socket)); }

KeepSocketError::KeepSocketError() : saved_(WSAGetLastError()) {}

KeepSocketError::~KeepSocketError() { WSASetLastError(saved_); }

int SendNow(int socket, const uint8_t* data, size_t count, bool& wouldBlock) {
    const int sent =
        ::send(SocketOf(socket), reinterpret_cast<const char*>(data), static_cast<int>(count), 0);
    wouldBlock = sent == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK;
    return sent == SOCKET_ERROR ? -1 : sent;
}

int ReceiveNow(int socket, uint8_t* buffer, size_t size) {
    const int received =
        ::recv(SocketOf(socket), reinterpret_cast<char*>(buffer), static_cast<int>(size), 0);
    return received > 0 ? received : 0;
}

}  // namespace tb::tcp
