// Shared pieces of the tests that run the client against the device bench
// over pseudo-terminals.
#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "client/SerialPort.h"
#include "platform/Clock.h"

namespace tb::client::test {

// True when nobody holds the port: the client closed it.
inline bool PortIsFree(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

// One write to a port and the clock's tick when it was made.
struct RecordedWrite {
    uint32_t tick;
    std::vector<uint8_t> bytes;
};

// Records every write, passing it on to the real port.
class RecordingSerialPort final : public SerialPort {
  public:
    RecordingSerialPort(std::unique_ptr<SerialPort> port, std::vector<RecordedWrite>& log)
        : port_(std::move(port)), log_(log) {}

    int Write(std::span<const uint8_t> bytes) override {
        log_.push_back({platform::TickMs(), {bytes.begin(), bytes.end()}});
        return port_->Write(bytes);
    }
    int Read(std::span<uint8_t> buffer) override { return port_->Read(buffer); }
    void Purge() override { port_->Purge(); }

  private:
    std::unique_ptr<SerialPort> port_;
    std::vector<RecordedWrite>& log_;
};

}  // namespace tb::client::test
