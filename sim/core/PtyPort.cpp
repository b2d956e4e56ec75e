#include "sim/core/PtyPort.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace tb::sim {
namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::system_error(errno, std::system_category(), what);
}

void MakeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) Fail("tcgetattr");
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) Fail("tcsetattr");
}

}  // namespace

PtyPort::PtyPort() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0) Fail("posix_openpt");
    try {
        char name[128] = {};
        if (grantpt(master_) != 0 || unlockpt(master_) != 0 ||
            ptsname_r(master_, name, sizeof name) != 0)
            Fail("pty slave");
        slavePath_ = name;
        slaveKeeper_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (slaveKeeper_ < 0) Fail("open pty slave");
        MakeRaw(slaveKeeper_);
    } catch (...) {
        if (slaveKeeper_ >= 0) close(slaveKeeper_);
        close(master_);
        throw;
    }
}

PtyPort::~PtyPort() {
    SetBusy(false);
    close(slaveKeeper_);
    close(master_);
}

bool PtyPort::SetBusy(bool busy) {
    if (busy == Busy()) return true;
    if (!busy) {
        close(busyFd_.exchange(-1));
        return true;
    }
    int fd = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    busyFd_ = fd;
    return true;
}

}  // namespace tb::sim
