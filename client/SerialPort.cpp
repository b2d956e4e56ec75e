#include "client/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "platform/Clock.h"
#include "platform/usbserial/ComPortMap.h"

namespace tb::client {
namespace {

// Each empty turn of a wait polls the line for up to this long and then
// lets the clock move on by the same amount, so that a virtual clock runs
// at about the pace of the real one while a device answers.
constexpr int kPollSliceMs = 1;

class TermiosSerialPort final : public SerialPort {
  public:
    explicit TermiosSerialPort(int fd, SerialTimeouts timeouts) : fd_(fd), timeouts_(timeouts) {}
    ~TermiosSerialPort() override { ::close(fd_); }
    TermiosSerialPort(const TermiosSerialPort&) = delete;
    TermiosSerialPort& operator=(const TermiosSerialPort&) = delete;

    int Write(std::span<const uint8_t> bytes) override;
    int Read(std::span<uint8_t> buffer) override;
    void Purge() override { ::tcflush(fd_, TCIOFLUSH); }

  private:
    void IdleTurn(short events);

    int fd_;
    SerialTimeouts timeouts_;
};

void TermiosSerialPort::IdleTurn(short events) {
    pollfd entry{fd_, events, 0};
    ::poll(&entry, 1, kPollSliceMs);
    platform::SleepMs(kPollSliceMs);
}

int TermiosSerialPort::Write(std::span<const uint8_t> bytes) {
    const uint32_t start = platform::TickMs();
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return -1;
        if (platform::ElapsedSince(start) >= timeouts_.writeTotalMs) break;
        IdleTurn(POLLOUT);
    }
    return static_cast<int>(written);
}

int TermiosSerialPort::Read(std::span<uint8_t> buffer) {
    const uint32_t start = platform::TickMs();
    uint32_t lastByte = start;
    std::size_t received = 0;
    while (received < buffer.size()) {
        const ssize_t n = ::read(fd_, buffer.data() + received, buffer.size() - received);
        if (n > 0) {
            received += static_cast<std::size_t>(n);
            lastByte = platform::TickMs();
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR && errno != EIO) return -1;
        if (platform::ElapsedSince(start) >= timeouts_.readTotalMs) break;
        if (received > 0 && platform::ElapsedSince(lastByte) >= timeouts_.readIntervalMs) break;
        IdleTurn(POLLIN);
    }
    return static_cast<int>(received);
}

bool ConfigureLine(int fd) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) return false;
    ::cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, B2400) != 0 || ::cfsetospeed(&tio, B2400) != 0) return false;
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) return false;
    // DTR and RTS off; a line without modem control (a pty) has nothing to clear.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIC, &lines);
    return true;
}

std::unique_ptr<SerialPort> OpenDevice(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    // Not shared: the lock is what every opener of a port takes.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !ConfigureLine(fd)) {
        ::close(fd);
        return nullptr;
    }
    // The kernel's tty queues are larger than the cable's 1024-byte queues;
    // there is nothing to size.
    ::tcflush(fd, TCIOFLUSH);
    return std::make_unique<TermiosSerialPort>(fd, SerialTimeouts{});
}

SerialPortOpener& CurrentOpener() {
    static SerialPortOpener opener = OpenCableSerialPort;
    return opener;
}

}  // namespace

std::unique_ptr<SerialPort> OpenCableSerialPort(int comNumber) {
    const auto path = usbserial::ComPortPath(comNumber);
    if (!path) return nullptr;
    return OpenDevice(*path);
}

std::unique_ptr<SerialPort> OpenSerialPort(int comNumber) { return CurrentOpener()(comNumber); }

ScopedSerialPortOpener::ScopedSerialPortOpener(SerialPortOpener opener)
    : previous_(std::exchange(CurrentOpener(), std::move(opener))) {}

ScopedSerialPortOpener::~ScopedSerialPortOpener() { CurrentOpener() = std::move(previous_); }

}  // namespace tb::client
