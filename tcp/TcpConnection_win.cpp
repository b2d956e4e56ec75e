// The thread's TCP connection over Winsock: a non-blocking socket whose
// events the status dialog's thread receives (platform/SocketEvents.h).
#include <winsock2.h>
#include <ws2tcpip.h>

#include <mutex>

#include "platform/SocketEvents.h"
#include "tcp/TcpConnection.h"

namespace tb::tcp {
namespace {

constexpr uint32_t kWatchedEvents = platform::kSocketRead | platform::kSocketWrite |
                                    platform::kSocketConnect | platform::kSocketClose;

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
    platform::SelectSocketEvents(state.socket, nullptr, 0, 0);
    ::closesocket(SocketOf(state.socket));
    state.socket = -1;
}

// A socket number the library's int can carry (Winsock's are small), or -1.
int OpenNonBlockingSocket() {
    SOCKET created = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (created == INVALID_SOCKET) return -1;
    u_long nonBlocking = 1;
    if (created > 0x7FFFFFFF || ioctlsocket(created, FIONBIO, &nonBlocking) != 0) {
        ::closesocket(created);
        return -1;
    }
    SetHandleInformation(reinterpret_cast<HANDLE>(created), HANDLE_FLAG_INHERIT, 0);
    return static_cast<int>(created);
}

}  // namespace

bool StartConnection(ConnectionState& state) {
    if (state.host.empty() || state.connected || state.port == 0 || !WinsockReady()) return false;
    state.socket = OpenNonBlockingSocket();
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
    if (::connect(SocketOf(state.socket), reinterpret_cast<const sockaddr*>(&address),
                  sizeof address) != 0 &&
        WSAGetLastError() != WSAEWOULDBLOCK) {
        Discard(state);
        return false;
    }
    state.connected = true;
    return true;
}

void CloseConnection(ConnectionState& state) {
    if (state.socket >= 0) {
        platform::SelectSocketEvents(state.socket, nullptr, 0, 0);
        ::shutdown(SocketOf(state.socket), SD_BOTH);
        ::closesocket(SocketOf(state.socket));
        state.socket = -1;
    }
    state.connected = false;
    state.dialogReady = false;
}

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
