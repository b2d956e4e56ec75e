// In-process stand-ins for the port library and the bridge run-time
// library: simulated loggers answer on numbered ports with no pty and no
// real time (reply waits that run out advance the virtual clock).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "link/usbserial/PortLayer.h"
#include "modelcom/LatchReader.h"
#include "sim/lgr87x/Lgr87xLogger.h"
#include "sim/lgr87x/Lgr87xWire.h"

namespace tb::modelcom::test {

struct FakeLine {
    tb::sim::Lgr87xLogger* logger = nullptr;
    std::string vidPid;
    uint8_t latch = 0x08;
    int busyAnswers = 0;  // opens answered with "busy" before one succeeds
    bool cannotOpen = false;
    int writeResult = 0;  // when not 0, what every write returns (nothing is sent)
    bool flushFails = false;
    int silentReplies = 0;                             // replies swallowed
    int shortReplies = 0;                              // replies cut to half
    int garbledReplies = 0;                            // replies with the last check byte flipped
    std::deque<std::vector<uint8_t>> scriptedReplies;  // sent instead of the logger's answers
};

class FakeLoggerPort : public tb::link::PortLayer, public LatchReader {
  public:
    FakeLoggerPort();
    ~FakeLoggerPort() override;

    FakeLine& Line(int port) { return lines_[port]; }
    FakeLine& Attach(int port, tb::sim::Lgr87xLogger& logger, const std::string& vidPid);

    // Every frame written, in order, and the port it went to.
    const std::vector<std::vector<uint8_t>>& Written() const { return written_; }
    void ClearWritten() { written_.clear(); }
    void ResetCounts() { opens_ = closes_ = checkPortCalls_ = 0; }
    int Opens() const { return opens_; }
    int Closes() const { return closes_; }
    int CheckPortCalls() const { return checkPortCalls_; }

    LatchOutcome latchOutcome = LatchOutcome::kRead;
    // Runs for each frame written, before the logger answers it.
    std::function<void(const std::vector<uint8_t>&)> onWrite;

    // PortLayer
    int CheckPort(const char* vidPid, uint8_t ports[256]) override;
    int OpenComm(int port, int rxSize, int txSize, int baud, uint32_t* handle) override;
    int WriteComm(uint32_t handle, const uint8_t* data, int count) override;
    int ReadComm(uint32_t handle, uint8_t* buffer, int count) override;
    int ReadCommWait(uint32_t handle, int waitMs, uint8_t* buffer, int count,
                     int interval) override;
    int FlushComm(uint32_t handle, int selector) override;
    void CloseComm(uint32_t handle) override;

    // LatchReader
    LatchOutcome Read(uint32_t portHandle, uint8_t* latch) override;

  private:
    void Deliver(FakeLine& line, std::vector<uint8_t> reply);

    std::map<int, FakeLine> lines_;
    std::map<int, tb::sim::Lgr87xFrameCutter> cutters_;
    std::deque<uint8_t> pending_;
    std::vector<std::vector<uint8_t>> written_;
    int openPort_ = 0;
    int opens_ = 0;
    int closes_ = 0;
    int checkPortCalls_ = 0;
    tb::link::ScopedPortLayer portScope_;
    ScopedLatchReader latchScope_;
};

// A frame from its header and data bytes with the byte-sum check appended.
std::vector<uint8_t> WithSum(std::vector<uint8_t> bytes);

// "01 5C 02" -> bytes.
std::vector<uint8_t> Hex(const std::string& text);

}  // namespace tb::modelcom::test
