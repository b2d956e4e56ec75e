#include "tests/modelcom/FakeLoggerPort.h"

#include <sstream>

#include "platform/Clock.h"
#include "platform/usbserial/PortResults.h"

namespace tb::modelcom::test {

FakeLoggerPort::FakeLoggerPort() : portScope_(*this), latchScope_(*this) {}
FakeLoggerPort::~FakeLoggerPort() = default;

FakeLine& FakeLoggerPort::Attach(int port, tb::sim::Lgr87xLogger& logger,
                                 const std::string& vidPid) {
    FakeLine& line = lines_[port];
    line.logger = &logger;
    line.vidPid = vidPid;
    return line;
}

int FakeLoggerPort::CheckPort(const char* vidPid, uint8_t ports[256]) {
    ++checkPortCalls_;
    int found = 0;
    for (auto& [port, line] : lines_) {
        if (line.vidPid == vidPid && port >= 1 && port <= 256) {
            ports[port - 1] = 1;
            ++found;
        }
    }
    return found > 0 ? 0 : -1;
}

int FakeLoggerPort::OpenComm(int port, int, int, int baud, uint32_t* handle) {
    if (baud != 19200) return usbserial::kPortCannotOpen;
    auto it = lines_.find(port);
    if (it == lines_.end() || it->second.cannotOpen) return usbserial::kPortCannotOpen;
    if (it->second.busyAnswers > 0) {
        --it->second.busyAnswers;
        return usbserial::kPortBusy;
    }
    ++opens_;
    openPort_ = port;
    pending_.clear();
    *handle = static_cast<uint32_t>(100 + port);
    return 0;
}

int FakeLoggerPort::WriteComm(uint32_t handle, const uint8_t* data, int count) {
    if (handle != static_cast<uint32_t>(100 + openPort_)) return -6;
    std::vector<uint8_t> frame(data, data + count);
    if (lines_[openPort_].writeResult != 0) return lines_[openPort_].writeResult;
    written_.push_back(frame);
    if (onWrite) onWrite(frame);
    FakeLine& line = lines_[openPort_];
    if (line.logger) {
        auto& cutter = cutters_[openPort_];
        cutter.Push(frame);
        while (auto request = cutter.Next()) {
            if (auto reply = line.logger->Answer(*request)) Deliver(line, *reply);
        }
    }
    return count;
}

void FakeLoggerPort::Deliver(FakeLine& line, std::vector<uint8_t> reply) {
    if (!line.scriptedReplies.empty()) {
        reply = std::move(line.scriptedReplies.front());
        line.scriptedReplies.pop_front();
    }
    if (line.silentReplies > 0) {
        --line.silentReplies;
        return;
    }
    if (line.shortReplies > 0) {
        --line.shortReplies;
        reply.resize(reply.size() / 2);
    }
    if (line.garbledReplies > 0 && !reply.empty()) {
        --line.garbledReplies;
        reply.back() ^= 0xFF;
    }
    pending_.insert(pending_.end(), reply.begin(), reply.end());
}

int FakeLoggerPort::ReadComm(uint32_t handle, uint8_t* buffer, int count) {
    if (handle != static_cast<uint32_t>(100 + openPort_)) return -5;
    int n = 0;
    while (n < count && !pending_.empty()) {
        buffer[n++] = pending_.front();
        pending_.pop_front();
    }
    return n;
}

int FakeLoggerPort::ReadCommWait(uint32_t handle, int waitMs, uint8_t* buffer, int count, int) {
    const int n = ReadComm(handle, buffer, count);
    if (n >= 0 && n < count) tb::platform::SleepMs(static_cast<uint32_t>(waitMs));
    return n;
}

int FakeLoggerPort::FlushComm(uint32_t, int selector) {
    if (lines_[openPort_].flushFails) return 0;
    if (selector == 1) pending_.clear();
    return 1;
}

void FakeLoggerPort::CloseComm(uint32_t) {
    ++closes_;
    openPort_ = 0;
}

LatchOutcome FakeLoggerPort::Read(uint32_t portHandle, uint8_t* latch) {
    if (latchOutcome != LatchOutcome::kRead) return latchOutcome;
    *latch = lines_[static_cast<int>(portHandle) - 100].latch;
    return LatchOutcome::kRead;
}

std::vector<uint8_t> WithSum(std::vector<uint8_t> bytes) {
    unsigned sum = 0;
    for (uint8_t b : bytes) sum += b;
    bytes.push_back(static_cast<uint8_t>(sum & 0xFF));
    bytes.push_back(static_cast<uint8_t>((sum >> 8) & 0xFF));
    return bytes;
}

std::vector<uint8_t> Hex(const std::string& text) {
    std::istringstream in(text);
    std::vector<uint8_t> bytes;
    std::string token;
    while (in >> token) bytes.push_back(static_cast<uint8_t>(std::stoul(token, nullptr, 16)));
    return bytes;
}

}  // namespace tb::modelcom::test
