#include "platform/usbserial/SerialLine.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>

#include "platform/Pump.h"

namespace tb::usbserial {
namespace {

std::optional<speed_t> SpeedOf(int baud) {
    switch (baud) {
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        case 230400:
            return B230400;
        case 460800:
            return B460800;
        case 921600:
            return B921600;
        default:
            return std::nullopt;
    }
}

bool ConfigureRaw(int fd, speed_t speed, LineOptions options) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0) return false;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) return false;
    if (options.modemLinesOff) {
        // A line without modem control (a pty) has nothing to clear.
        int lines = TIOCM_DTR | TIOCM_RTS;
        ioctl(fd, TIOCMBIC, &lines);
    }
    return true;
}

using SteadyClock = std::chrono::steady_clock;

int MsLeft(SteadyClock::time_point deadline) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

// Waits for the events or the time-out; false on a port error.
bool WaitFor(int fd, short events, int timeoutMs) {
    pollfd entry{fd, events, 0};
    int ready = poll(&entry, 1, timeoutMs);
    if (ready < 0) return errno == EINTR;
    if (ready == 0) return true;
    return (entry.revents & (POLLERR | POLLNVAL)) == 0;
}

}  // namespace

OpenedLine OpenLine(const std::string& path, int baud, LineOptions options) {
    auto speed = SpeedOf(baud);
    if (!speed) return {};
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {errno == EBUSY ? OpenStatus::Busy : OpenStatus::CannotOpen, -1};
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        bool busy = errno == EWOULDBLOCK;
        close(fd);
        return {busy ? OpenStatus::Busy : OpenStatus::CannotOpen, -1};
    }
    if (!isatty(fd) || !ConfigureRaw(fd, *speed, options)) {
        close(fd);
        return {};
    }
    // Bytes that came before this open (the rest of a reply that an earlier
    // opener gave up on) answer nothing this opener will ask.
    tcflush(fd, TCIFLUSH);
    return {OpenStatus::Opened, fd};
}

int ReadAvailable(int fd, uint8_t* buffer, size_t count) {
    if (count == 0) return 0;
    ssize_t n = read(fd, buffer, count);
    if (n >= 0) return static_cast<int>(n);
    return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? 0 : -1;
}

int ReadWithin(int fd, uint8_t* buffer, size_t count, int waitMs, int pumpMs) {
    auto deadline = SteadyClock::now() + std::chrono::milliseconds(std::max(0, waitMs));
    size_t got = 0;
    while (true) {
        int n = ReadAvailable(fd, buffer + got, count - got);
        if (n < 0) return -1;
        got += static_cast<size_t>(n);
        int left = MsLeft(deadline);
        if (got == count || left == 0) break;
        if (!WaitFor(fd, POLLIN, std::min(left, pumpMs))) return -1;
        platform::PumpPendingMessages();
    }
    return static_cast<int>(got);
}

int WriteAvailable(int fd, const uint8_t* data, size_t count) {
    if (count == 0) return 0;
    ssize_t n = write(fd, data, count);
    if (n >= 0) return static_cast<int>(n);
    return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? 0 : -1;
}

int WriteAll(int fd, const uint8_t* data, size_t count, int timeoutMs) {
    auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    size_t sent = 0;
    while (sent < count) {
        int n = WriteAvailable(fd, data + sent, count - sent);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0) break;
        int left = MsLeft(deadline);
        if (left == 0 || !WaitFor(fd, POLLOUT, left)) break;
    }
    return sent == 0 && count > 0 ? -1 : static_cast<int>(sent);
}

bool DiscardBuffer(int fd, int selector) {
    switch (selector) {
        case kDiscardInput:
            return tcflush(fd, TCIFLUSH) == 0;
        case kDiscardOutput:
            return tcflush(fd, TCOFLUSH) == 0;
        default:
            return false;
    }
}

void CloseLine(int fd) { close(fd); }

}  // namespace tb::usbserial
