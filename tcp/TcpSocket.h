// The socket primitives of the thread's TCP connection. The connection's
// flow (TcpConnection.cpp) is written once on top of these; only they differ
// per system (TcpSocket.cpp: POSIX sockets; TcpSocket_win.cpp: Winsock).
#pragma once

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#endif

namespace tb::tcp {

// A non-blocking TCP socket that child processes do not inherit, as a
// number the library's int can carry; -1 when none can be made (on Windows
// also when Winsock does not start).
int OpenNonBlockingSocket();

// Starts connecting to `address`: true when connected or under way.
bool StartConnect(int socket, const sockaddr_in& address);

// Shuts the socket down both ways; it stays open.
void ShutdownSocket(int socket);

void CloseSocket(int socket);

// Keeps the system's last socket error (errno, or Winsock's) across the
// clean-up of a failed start, so the caller still sees why it failed.
class KeepSocketError {
  public:
    KeepSocketError();
    ~KeepSocketError();
    KeepSocketError(const KeepSocketError&) = delete;
    KeepSocketError& operator=(const KeepSocketError&) = delete;

  private:
    int saved_;
};

}  // namespace tb::tcp
