// The client end of a simulated device's pseudo-terminal, opened as a port
// library would: non-blocking, raw 8-bit bytes, no line discipline.
#pragma once

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <string>

namespace tb::testsupport {

// The open descriptor, or -1.
inline int OpenRawTerminal(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    return fd;
}

}  // namespace tb::testsupport
